#pragma once
// Everything the model asks of the desktop. Each service has a real implementation
// (the Qt view, or Qt Core where no widget is needed) and a recording fake for tests.
#include <QSize>
#include <QString>
#include <QStringList>

namespace miravela {

enum class IconoMensaje { Ninguno, Critico, Pregunta, Exclamacion, Informacion };
enum class BotonesMensaje { Aceptar, SiNo };
enum class RespuestaMensaje { Aceptar, Si, No };

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual RespuestaMensaje Show(const QString& text, const QString& title, IconoMensaje icon, BotonesMensaje buttons,
                                RespuestaMensaje defaultButton = RespuestaMensaje::Aceptar) = 0;
};

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep() = 0;
};

// Starts other programs without a shell in between, so paths with blanks or quotes
// are passed as they are.
class Launcher {
 public:
  virtual ~Launcher() = default;
  virtual bool StartDetached(const QString& program, const QStringList& arguments, const QString& workingFolder) = 0;
  // A folder or document, opened with the desktop's default application.
  virtual bool OpenWithDefault(const QString& path) = 0;
};

class DesktopFolder {
 public:
  virtual ~DesktopFolder() = default;
  virtual QString Path() = 0;
};

class FolderChooser {
 public:
  virtual ~FolderChooser() = default;
  // The chosen folder, or an empty text when the user cancels.
  virtual QString Choose(const QString& prompt) = 0;
};

// Held by the running instance of a program image; a second instance fails to take it.
class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  virtual bool TryLock() = 0;
};

// The main window as the model sees it: where the screen ends, and the window
// manager requests that the model makes.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual QSize ScreenSizeTwips() = 0;
  virtual double TwipsPerPixelX() = 0;
  virtual double TwipsPerPixelY() = 0;
  virtual void SetTopmost() = 0;
  virtual void Minimize() = 0;
  // Asks the window to close; the model's close question still runs.
  virtual void Close() = 0;
  // Lets pending window events run (used before modal dialogs and in the photograph save).
  virtual void ProcessEvents() = 0;
};

struct Services {
  MessageBoxService& messages;
  Beeper& beeper;
  Launcher& launcher;
  DesktopFolder& desktop;
  FolderChooser& folders;
  InstanceLock& lock;
  WindowHost& window;
};

}  // namespace miravela
