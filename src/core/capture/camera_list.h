#pragma once
// The camera list: V4L2 capture devices in node order, then the cameras of the cameras
// file, then (when asked for) the demo camera.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "capture/camera_source.h"

namespace miravela {

struct CameraListOptions {
  QString deviceFolder = QStringLiteral("/dev");
  QString camerasFile;  // Recursos/Miravela.CAM; empty = none
  bool demo = false;
};

// UTF-8, one camera a line as "name = URL"; '#' starts a comment line; blank and
// malformed lines (no '=', empty name or URL, a filter graph prefix with no graph) are skipped.
std::vector<CameraSource> ParseCamerasFile(const QByteArray& text);
std::vector<CameraSource> ReadCamerasFile(const QString& path);

// Names of the form videoN in a folder, ordered by N.
QStringList VideoNodes(const QString& folder);
// The nodes that are video capture devices, named by the driver's card name.
std::vector<CameraSource> ListCaptureDevices(const QString& folder);

// A still room in which a figure walks past the camera now and then.
CameraSource DemoCamera();
QString DemoSceneGraph();

std::vector<CameraSource> LoadCameraSources(const CameraListOptions& options);
QStringList CameraNames(const std::vector<CameraSource>& sources);

}  // namespace miravela
