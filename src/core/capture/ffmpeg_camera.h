#pragma once
// The capture control over FFmpeg.
#include <memory>
#include <optional>
#include <vector>

#include "base/program_folder.h"
#include "capture/camera_control.h"
#include "capture/camera_dialogs.h"
#include "capture/camera_list.h"
#include "capture/capture_worker.h"

namespace miravela {

struct FfmpegCameraOptions {
  CameraListOptions list;
  QString formatFile;  // Recursos/Miravela.CFG
  CaptureTiming timing;
};

// The cameras file and the format file in the program's Recursos folder.
FfmpegCameraOptions CameraOptionsFor(const ProgramFolder& programa, bool demo);

class FfmpegCamera : public CameraControl {
 public:
  explicit FfmpegCamera(FfmpegCameraOptions options, CameraDialogs* dialogs = nullptr);
  ~FfmpegCamera() override;

  QStringList LoadCamera() override;
  bool StartCamera(int listIndex, const QString& name) override;
  void ConfigCamera() override;
  void StopCamera() override;
  QImage Snap() override;
  bool Started() const override { return worker_ != nullptr; }
  QSize NativeSize() const override;
  int State() const override;
  bool PauseCamera() override;
  bool ResumeCamera() override;
  const CameraSource* CaptureFilter() const override;

  void SetDialogs(CameraDialogs* dialogs) { dialogs_ = dialogs; }
  // The newest frame with its number and decode time; null image as for Snap.
  CapturedFrame Newest() const;
  std::optional<CaptureStatus> Status() const;

 private:
  std::optional<StreamFormat> SavedFormatFor(const CameraSource& source);
  void StartWorker(std::optional<StreamFormat> format);
  std::optional<StreamFormat> CurrentFormat() const;

  FfmpegCameraOptions options_;
  CameraDialogs* dialogs_;
  std::optional<std::vector<CameraSource>> devices_;  // consumed by a start
  std::optional<CameraSource> source_;                // the started camera
  std::optional<StreamFormat> asked_;                 // format asked of it
  std::unique_ptr<CaptureWorker> worker_;
};

}  // namespace miravela
