#pragma once
// The small controls of the main window that show one model control each: picture
// buttons beside the preview, the recording light, the read-out box, the link labels
// and the suspension banner. Each forwards the pointer to the model and redraws from it.
#include <QLabel>
#include <QWidget>
#include <functional>
#include <memory>

#include "base/control.h"

namespace miravela {

class Icono;

// What a control tells the model: a click, and the pointer moving over it.
struct Manejadores {
  std::function<void()> click;
  std::function<void()> mover;
  std::function<void()> cambiado;  // after either, so the window redraws
};

// A drawing that acts as a button (clearing the zone, the reverse alarm).
class PictureButton : public QWidget {
 public:
  PictureButton(const QString& recurso, QString nombre, Manejadores manejadores, QWidget* parent);
  ~PictureButton() override;
  void Refresh(bool visible, bool encendido);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent*) override;

 private:
  std::unique_ptr<Icono> icono_;
  Manejadores m_;
  bool encendido_ = false;
};

// The red light with "REC" while a photograph is being saved.
class RecordingLight : public QWidget {
 public:
  RecordingLight(const Control& imgRec, QWidget* parent);
  ~RecordingLight() override;
  void Refresh();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const Control& imgRec_;
  std::unique_ptr<Icono> icono_;
};

// The read-out box of the frame loop's figures; its width follows its text.
class ReadoutBox : public QLabel {
 public:
  ReadoutBox(const Control& txtSensor, std::function<void()> mover, QWidget* parent);
  void Refresh();

 protected:
  void mouseMoveEvent(QMouseEvent*) override;

 private:
  const Control& txtSensor_;
  std::function<void()> mover_;
};

// A label that opens a page when clicked (the help line, "Video Ayuda").
class LinkLabel : public QLabel {
 public:
  LinkLabel(const Control& control, QString nombre, Manejadores manejadores, QWidget* parent);
  void Refresh();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent*) override;

 private:
  const Control& control_;
  Manejadores m_;
};

// The remaining time of a suspension, laid over the preview.
class SuspensionBanner : public QLabel {
 public:
  SuspensionBanner(const Control& lblFondo3, QWidget* parent);
  void Refresh();

 private:
  const Control& lblFondo3_;
};

}  // namespace miravela
