#pragma once
// The capture control as the main window uses it: the camera list, start and stop of
// the chosen camera, its configuration dialogs, and the newest frame on demand.
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include "base/control.h"
#include "capture/camera_source.h"

namespace miravela {

// Run-time error number of a property given a value it does not take.
inline constexpr int kErrorValorNoValido = 5;

class CameraControl {
 public:
  virtual ~CameraControl() = default;

  // Enumerates the cameras afresh and returns their friendly names; list index i names
  // camera i. An empty list means no camera (the caller beeps).
  virtual QStringList LoadCamera() = 0;
  // Starts the camera at the list index (the name is only informative). False while a
  // camera is started, without a device list (each start consumes the list, so
  // LoadCamera must come first) or for an index outside it. The source is opened on a
  // capture thread: true does not promise frames, only that capture is under way.
  virtual bool StartCamera(int listIndex, const QString& name) = 0;
  // With a camera started: its format dialog, a restart in the chosen format, its
  // settings dialog, and the format saved for the next start. Otherwise nothing.
  virtual void ConfigCamera() = 0;
  virtual void StopCamera() = 0;
  // The newest frame as a 32-bit image; null without a started camera or while its
  // source is lost. Never waits for the camera.
  virtual QImage Snap() = 0;

  virtual bool Started() const = 0;
  // The size of the frames being delivered; empty until the first one.
  virtual QSize NativeSize() const = 0;

  // Members kept from the control's surface that the program itself does not use.
  // State: 0 stopped, 1 paused, 2 running.
  virtual int State() const = 0;
  virtual bool PauseCamera() = 0;
  virtual bool ResumeCamera() = 0;
  // Width to height of the delivered frames; 0 until known.
  double AspectRatio() const;
  // The source of the started camera; null when none.
  virtual const CameraSource* CaptureFilter() const = 0;

  Color BackColor() const { return backColor_; }
  void SetBackColor(Color color) { backColor_ = color; }
  int BorderStyle() const { return borderStyle_; }
  // 0 or 1; any other value changes nothing and returns kErrorValorNoValido (else 0).
  int SetBorderStyle(int style);
  // The border drawn around the preview: hidden while a camera shows its picture,
  // otherwise shown exactly when BorderStyle is 1.
  bool BorderShown() const { return borderShown_; }

 protected:
  void HideBorder() { borderShown_ = false; }
  void RestoreBorder() { borderShown_ = borderStyle_ == 1; }

 private:
  Color backColor_ = 0x8000000F;  // the desktop's button-face colour
  int borderStyle_ = 1;
  bool borderShown_ = true;
};

}  // namespace miravela
