// Wires the real services into the main-window model and shows it.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "app/form1.h"
#include "base/core_services.h"
#include "base/instance_lock.h"
#include "base/qt_clock.h"
#include "base/twips.h"
#include "capture/capture_backend.h"
#include "capture/ffmpeg_camera.h"
#include "sensors/screen_grabber.h"
#include "sound/sdl_audio_player.h"
#include "view/capture/qt_camera_dialogs.h"
#include "view/main_window.h"
#include "view/qt_services.h"
#include "view/sensors/ventana_marco_qt.h"

using namespace miravela;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Miravela");
  QApplication::setQuitOnLastWindowClosed(true);

  QCommandLineParser options;
  options.setApplicationDescription(QString::fromUtf8("Miravela: una cámara Web como cámara de seguridad"));
  options.addHelpOption();
  QCommandLineOption slot("slot", QString::fromUtf8("Ranura de cámara (1 a 4)."), "N");
  QCommandLineOption demo("demo", QString::fromUtf8("Añade una cámara de demostración a la lista."));
  options.addOption(slot);
  options.addOption(demo);
  options.process(app);

  ProgramFolder programa;
  programa.Carpeta = QDir::currentPath();
  programa.NumeroCamara = options.isSet(slot) ? options.value(slot) : ProgramFolder::SlotDeCarpeta(programa.Carpeta);
  if (programa.NumeroCamara.toInt() < 1 || programa.NumeroCamara.toInt() > 5) programa.NumeroCamara = "1";

  MainWindow window;
  QtMessageBox messages(&window);
  QtBeeper beeper;
  ProcessLauncher launcher;
  XdgDesktopFolder desktop;
  QtFolderChooser folders(&window);
  FileInstanceLock lock(QApplication::applicationFilePath() + '|' + programa.Carpeta + '|' + programa.NumeroCamara);
  QtWindowHost host(&window);
  QtClock clock;
  QtCameraDialogs cameraDialogs(&window);
  QtScreenGrabber screen;
  SdlAudioPlayer sound;
  FfmpegCamera camera(CameraOptionsFor(programa, options.isSet(demo)), &cameraDialogs);

  Form1 model({.clock = clock,
               .services = {.messages = messages,
                            .beeper = beeper,
                            .launcher = launcher,
                            .desktop = desktop,
                            .folders = folders,
                            .lock = lock,
                            .window = host},
               .programa = programa,
               .ejecutable = QApplication::applicationFilePath(),
               .capturaDisponible = CaptureBackendAvailable,
               .camara = camera,
               .pantalla = screen,
               .reproductor = &sound});
  // The capture frame window exists before start-up, which may restore the capturer.
  VentanaMarcoQt frameWindow(model.sensores().marco);
  window.SetModel(&model);
  window.adjustSize();
  model.Width = TwipsDePixeles(window.frameGeometry().width(), host.TwipsPerPixelX());
  model.Height = TwipsDePixeles(window.frameGeometry().height(), host.TwipsPerPixelY());

  model.Form_Load();
  if (model.Terminado) return 0;
  window.Refresh();
  window.ApplyPosition(host.TwipsPerPixelX(), host.TwipsPerPixelY());
  window.show();
  return app.exec();
}
