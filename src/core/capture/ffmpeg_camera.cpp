#include "capture/ffmpeg_camera.h"

#include "base/folders.h"
#include "capture/capture_backend.h"
#include "capture/v4l2_device.h"

namespace miravela {
namespace {

void DeleteFormatFile(const QString& path) {
  LimpiarAtributos(path);
  EliminarArchivo(path);
}

}  // namespace

FfmpegCameraOptions CameraOptionsFor(const ProgramFolder& programa, bool demo) {
  FfmpegCameraOptions options;
  options.list.camerasFile = programa.Ruta(QStringLiteral("Recursos/Miravela.CAM"));
  options.list.demo = demo;
  options.formatFile = programa.Ruta(QStringLiteral("Recursos/Miravela.CFG"));
  return options;
}

FfmpegCamera::FfmpegCamera(FfmpegCameraOptions options, CameraDialogs* dialogs)
    : options_(std::move(options)), dialogs_(dialogs) {
  InitCaptureBackend();
}

FfmpegCamera::~FfmpegCamera() { StopCamera(); }

QStringList FfmpegCamera::LoadCamera() {
  devices_ = LoadCameraSources(options_.list);
  return CameraNames(*devices_);
}

// The saved format when it suits this camera. A file that is no format at all, or a
// format the device does not offer, is deleted so the device's default is used.
std::optional<StreamFormat> FfmpegCamera::SavedFormatFor(const CameraSource& source) {
  const QString& path = options_.formatFile;
  if (path.isEmpty() || !Existe(path)) return std::nullopt;
  const std::optional<StreamFormat> saved = LoadFormatFile(path);
  if (!saved) {
    DeleteFormatFile(path);
    return std::nullopt;
  }
  // Only a device takes a format; other sources deliver what they carry.
  if (source.kind != SourceKind::Device) return std::nullopt;
  const std::vector<FormatOption> offered = QueryDeviceFormats(source.location);
  if (!offered.empty() && !FormatOffered(offered, *saved)) {
    DeleteFormatFile(path);
    return std::nullopt;
  }
  return saved;
}

bool FfmpegCamera::StartCamera(int listIndex, const QString& /*name*/) {
  if (worker_) return false;
  const std::optional<std::vector<CameraSource>> devices = std::exchange(devices_, std::nullopt);
  if (!devices || listIndex < 0 || listIndex >= static_cast<int>(devices->size())) return false;
  source_ = (*devices)[listIndex];
  StartWorker(SavedFormatFor(*source_));
  HideBorder();
  return true;
}

void FfmpegCamera::StartWorker(std::optional<StreamFormat> format) {
  asked_ = std::move(format);
  CaptureSettings settings;
  settings.source = *source_;
  settings.format = asked_;
  settings.timing = options_.timing;
  settings.pace = SourceNeedsPacing(*source_);
  // Runs on the capture thread, possibly after this camera is gone: copies only.
  settings.formatRefused = [path = options_.formatFile] {
    if (!path.isEmpty()) DeleteFormatFile(path);
  };
  worker_ = std::make_unique<CaptureWorker>(std::move(settings));
}

std::optional<StreamFormat> FfmpegCamera::CurrentFormat() const {
  if (worker_)
    if (std::optional<StreamFormat> delivered = worker_->Delivered()) return delivered;
  return asked_;
}

void FfmpegCamera::ConfigCamera() {
  if (!worker_ || !dialogs_) return;
  const std::optional<StreamFormat> current = CurrentFormat();
  worker_.reset();
  const bool device = source_->kind == SourceKind::Device;
  const std::vector<FormatOption> offered =
      device ? QueryDeviceFormats(source_->location) : std::vector<FormatOption>{};
  const std::optional<StreamFormat> chosen = dialogs_->ChooseFormat(source_->name, offered, current);
  StartWorker(device && chosen ? chosen : asked_);
  if (device) {
    V4l2Controls controls(source_->location);
    dialogs_->EditSettings(source_->name, controls);
  } else {
    NoControls controls;
    dialogs_->EditSettings(source_->name, controls);
  }
  const std::optional<StreamFormat> keep = device ? (chosen ? chosen : current) : std::nullopt;
  if (keep && !options_.formatFile.isEmpty()) SaveFormatFile(options_.formatFile, *keep);
}

void FfmpegCamera::StopCamera() {
  worker_.reset();
  source_.reset();
  asked_.reset();
  RestoreBorder();
}

QImage FfmpegCamera::Snap() { return worker_ ? worker_->Newest().image : QImage(); }

CapturedFrame FfmpegCamera::Newest() const { return worker_ ? worker_->Newest() : CapturedFrame{}; }

std::optional<CaptureStatus> FfmpegCamera::Status() const {
  if (!worker_) return std::nullopt;
  return worker_->Status();
}

QSize FfmpegCamera::NativeSize() const {
  if (!worker_) return {};
  const QImage image = worker_->Newest().image;
  if (!image.isNull()) return image.size();
  const std::optional<StreamFormat> delivered = worker_->Delivered();
  return delivered ? delivered->size : QSize();
}

int FfmpegCamera::State() const {
  if (!worker_) return 0;
  return worker_->Paused() ? 1 : 2;
}

bool FfmpegCamera::PauseCamera() {
  if (!worker_) return false;
  worker_->SetPaused(true);
  return true;
}

bool FfmpegCamera::ResumeCamera() {
  if (!worker_) return false;
  worker_->SetPaused(false);
  return true;
}

const CameraSource* FfmpegCamera::CaptureFilter() const { return source_ ? &*source_ : nullptr; }

}  // namespace miravela
