#pragma once
// The main window: draws the Form1 model and forwards the user's actions to it.
#include <QLabel>
#include <QWidget>
#include <array>

#include "app/form1.h"

namespace miravela {

class ButtonWidget;
class PreviewArea;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  void SetModel(Form1* model);
  // Re-reads every shown property of the model.
  void Refresh();
  // Places the window where the model says (twips to pixels).
  void ApplyPosition(double twipsPerPixelX, double twipsPerPixelY);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  Form1* model_ = nullptr;
  PreviewArea* preview_ = nullptr;
  QLabel* help_ = nullptr;
  std::array<ButtonWidget*, ButtonBar::kBotones> buttons_{};
  bool closing_ = false;
};

}  // namespace miravela
