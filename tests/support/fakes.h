#pragma once
// Recording fakes of the desktop services, for scenario tests on the model.
#include <QDir>
#include <QTemporaryDir>
#include <deque>
#include <vector>

#include "base/services.h"

namespace miravela::test {

struct ShownMessage {
  QString text, title;
  IconoMensaje icon;
  BotonesMensaje buttons;
  RespuestaMensaje defaultButton;
};

class FakeMessages : public MessageBoxService {
 public:
  RespuestaMensaje Show(const QString& text, const QString& title, IconoMensaje icon, BotonesMensaje buttons,
                        RespuestaMensaje defaultButton) override {
    shown.push_back({text, title, icon, buttons, defaultButton});
    if (answers.empty()) return buttons == BotonesMensaje::SiNo ? defaultButton : RespuestaMensaje::Aceptar;
    const RespuestaMensaje answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<ShownMessage> shown;
  std::deque<RespuestaMensaje> answers;  // given in order; then the default button
};

class FakeBeeper : public Beeper {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

class FakeLauncher : public Launcher {
 public:
  struct Call {
    QString program;
    QStringList arguments;
    QString workingFolder;
  };
  bool StartDetached(const QString& program, const QStringList& arguments, const QString& workingFolder) override {
    started.push_back({program, arguments, workingFolder});
    return true;
  }
  bool OpenWithDefault(const QString& path) override {
    opened.push_back(path);
    return true;
  }
  std::vector<Call> started;
  QStringList opened;
};

class FakeDesktop : public DesktopFolder {
 public:
  QString Path() override { return path; }
  QString path;
};

class FakeFolderChooser : public FolderChooser {
 public:
  QString Choose(const QString& prompt) override {
    prompts << prompt;
    return answer;
  }
  QStringList prompts;
  QString answer;
};

class FakeLock : public InstanceLock {
 public:
  bool TryLock() override { return free; }
  bool free = true;
};

class FakeWindow : public WindowHost {
 public:
  QSize ScreenSizeTwips() override { return screen; }
  double TwipsPerPixelX() override { return 15; }
  double TwipsPerPixelY() override { return 15; }
  void SetTopmost() override { ++topmost; }
  void Minimize() override { ++minimized; }
  void Close() override { ++closes; }
  void ProcessEvents() override { ++eventRuns; }
  QSize screen{1920 * 15, 1080 * 15};
  int topmost = 0, minimized = 0, closes = 0, eventRuns = 0;
};

// All fakes together, ready to hand to the model.
struct FakeServices {
  FakeMessages messages;
  FakeBeeper beeper;
  FakeLauncher launcher;
  FakeDesktop desktop;
  FakeFolderChooser folders;
  FakeLock lock;
  FakeWindow window;
  Services services() {
    return {.messages = messages,
            .beeper = beeper,
            .launcher = launcher,
            .desktop = desktop,
            .folders = folders,
            .lock = lock,
            .window = window};
  }
};

// Reads a whole file, or an empty array.
QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);

}  // namespace miravela::test

#include "capture/camera_control.h"

namespace miravela::test {

// A camera list and frames chosen by the test.
class FakeCamera : public CameraControl {
 public:
  QStringList LoadCamera() override { return names; }
  bool StartCamera(int listIndex, const QString& name) override {
    if (started || listIndex < 0 || listIndex >= names.size()) return false;
    started = true;
    startedIndex = listIndex;
    startedName = name;
    ++starts;
    return true;
  }
  void ConfigCamera() override { ++configs; }
  void StopCamera() override { started = false; }
  QImage Snap() override { return started ? frame : QImage(); }
  bool Started() const override { return started; }
  QSize NativeSize() const override { return frame.size(); }
  int State() const override { return started ? 2 : 0; }
  bool PauseCamera() override { return false; }
  bool ResumeCamera() override { return false; }
  const CameraSource* CaptureFilter() const override { return nullptr; }

  QStringList names{"Cámara USB"};
  QImage frame;
  bool started = false;
  int startedIndex = -1, starts = 0, configs = 0;
  QString startedName;
};

}  // namespace miravela::test

#include "sensors/screen_grabber.h"

namespace miravela::test {

// A desktop of one colour.
class FakeScreen : public ScreenGrabber {
 public:
  bool PuedeLeerPantalla() const override { return readable; }
  std::optional<QImage> Grab(const QRect& rect) override {
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(color);
    return image;
  }
  bool readable = true;
  QColor color = Qt::gray;
};

}  // namespace miravela::test
