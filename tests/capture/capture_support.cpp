#include "capture/capture_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <thread>

namespace miravela::test {

bool RunFfmpeg(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral("ffmpeg"), QStringList{"-hide_banner", "-loglevel", "error", "-y"} + arguments);
  return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool MakeTestVideo(const QString& path, const QString& size, double seconds, const QStringList& codec, int rate) {
  const QString source = QStringLiteral("testsrc=size=%1:rate=%2:duration=%3").arg(size).arg(rate).arg(seconds);
  return RunFfmpeg(QStringList{"-f", "lavfi", "-i", source} + codec + QStringList{path});
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return condition();
}

QString FilterCamera(const QString& name, const QString& graph) { return name + QStringLiteral(" = lavfi:") + graph; }

CaptureTiming QuickTiming() {
  CaptureTiming timing;
  timing.timeouts.open = std::chrono::milliseconds(3000);
  timing.timeouts.packet = std::chrono::milliseconds(1000);
  timing.reconnect.first = std::chrono::milliseconds(300);
  timing.reconnect.longest = std::chrono::milliseconds(600);
  timing.stall = std::chrono::milliseconds(1000);
  return timing;
}

CameraFixture::CameraFixture(const QString& folder, const QStringList& camLines, bool demo) {
  QDir(folder).mkpath(QStringLiteral("dev"));
  QDir(folder).mkpath(QStringLiteral("Recursos"));
  options.list.deviceFolder = folder + QStringLiteral("/dev");
  options.list.camerasFile = folder + QStringLiteral("/Recursos/Miravela.CAM");
  options.list.demo = demo;
  options.formatFile = folder + QStringLiteral("/Recursos/Miravela.CFG");
  options.timing = QuickTiming();
  QFile cam(options.list.camerasFile);
  if (cam.open(QIODevice::WriteOnly)) cam.write(camLines.join(u'\n').toUtf8());
}

int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  ::close(fd);
  return port;
}

}  // namespace miravela::test
