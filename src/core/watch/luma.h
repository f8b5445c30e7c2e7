#pragma once
// How much a frame shows: its brightness and its detail.
#include <QImage>

namespace miravela {

struct LumaStats {
  double mean = 0;    // 0..255
  double detail = 0;  // spread of the cell means, 0..127.5
};

// The frame is cut into a grid of cells and each cell's luma averaged; the detail is the
// standard deviation of those averages. Averaging inside a cell wipes out the sensor
// noise a covered lens shows plenty of, while the differences between cells keep the
// structure (edges, lamps, windows) that even a dark night scene still has.
LumaStats MeasureLuma(const QImage& frame);

}  // namespace miravela
