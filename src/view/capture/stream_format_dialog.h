#pragma once
// The camera's format dialog: pixel format, size and frame rate among those the
// device offers.
#include <QDialog>
#include <optional>
#include <vector>

#include "capture/stream_format.h"

class QComboBox;

namespace miravela {

class StreamFormatDialog : public QDialog {
  Q_OBJECT

 public:
  StreamFormatDialog(const QString& camera, std::vector<FormatOption> offered,
                     const std::optional<StreamFormat>& current, QWidget* parent = nullptr);
  // The format shown when the dialog was accepted; nothing when none is offered.
  std::optional<StreamFormat> Chosen() const;

 private:
  void FillSizes();
  void FillRates();
  void Select(const std::optional<StreamFormat>& current);

  std::vector<FormatOption> offered_;
  QComboBox* pixels_ = nullptr;
  QComboBox* sizes_ = nullptr;
  QComboBox* rates_ = nullptr;
};

}  // namespace miravela
