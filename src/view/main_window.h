#pragma once
// The main window: draws the Form1 model and forwards the user's actions to it.
#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <array>

#include "app/form1.h"

namespace miravela {

class ButtonWidget;
class PreviewArea;
class PreviewWidget;
class SensorsView;

// The camera list; opening it lights it up and explains it on the help line.
class CameraList : public QComboBox {
 public:
  using QComboBox::QComboBox;
  Form1* model = nullptr;
  void showPopup() override {
    if (model) model->conexion().CboDriver_DropDown();
    QComboBox::showPopup();
  }
};

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
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void RefreshCameras();

  Form1* model_ = nullptr;
  QWidget* previewHolder_ = nullptr;
  PreviewArea* preview_ = nullptr;
  PreviewWidget* live_ = nullptr;
  CameraList* cameras_ = nullptr;
  SensorsView* sensors_ = nullptr;
  QLabel* help_ = nullptr;
  std::array<ButtonWidget*, ButtonBar::kBotones> buttons_{};
  bool closing_ = false;
};

}  // namespace miravela
