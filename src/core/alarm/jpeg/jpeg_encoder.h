#pragma once
// cJpeg: a baseline JPEG encoder (sequential DCT, Huffman tables fitted to each
// picture, 8-bit samples, JFIF 1.01). Set sampling, quality and comment, sample a
// picture, then encode it into memory or save it to a new file. One encoder may serve
// many pictures; its planes and buffers are kept and reused.
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "alarm/jpeg/jpeg_blocks.h"
#include "alarm/jpeg/jpeg_error.h"
#include "alarm/jpeg/jpeg_quant.h"
#include "alarm/jpeg/jpeg_sampling.h"
#include "alarm/jpeg/jpeg_writer.h"

namespace miravela {

class cJpeg {
 public:
  // SampleHDC results.
  static constexpr int kSampled = 0;
  static constexpr int kSampleFailed = 1;
  // SaveFile results.
  static constexpr int kSaved = 0;
  static constexpr int kEmptyName = 1;
  static constexpr int kFileExists = 2;
  static constexpr int kNotWritten = 3;  // nothing sampled, or the file could not be written

  cJpeg();

  int Quality() const { return quality_; }
  // 1..100; any other value is ignored.
  void SetQuality(int quality);

  // Sampling factors 1..4 of Y, Cb, Cr; H2, V2, H3, V3 all 0 means greyscale.
  // Raises JpegError(1, "Invalid Sampling Value") and changes nothing otherwise.
  void SetSamplingFrequencies(int h1, int v1, int h2, int v2, int h3, int v3);

  const std::string& Comment() const { return comment_; }
  // The bytes are written as they are. Raises JpegError(1, "Illegal Comment Length")
  // for a comment that does not fit one comment segment (65533 bytes).
  void SetComment(const std::string& comment);

  // Samples the rectangle (left, top, width, height) of the picture `dc`; parts
  // outside the picture read as black. kSampleFailed for an empty or too large
  // rectangle (nothing sampled).
  int SampleHDC(const QImage& dc, int width, int height, int left = 0, int top = 0);

  // Encodes the sampled picture into a new file; never replaces an existing one.
  int SaveFile(const QString& fileName);

  // The whole file in memory, valid until the next call that changes this encoder;
  // empty when nothing has been sampled.
  std::span<const std::uint8_t> Encode();

  const jpeg::QuantTable& ScaledTable(int number) const { return scaled_[number]; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }

 private:
  // Quantisation and Huffman tables in use: two with colour, one for grey.
  int TableCount() const { return components_.size() == 3 ? 2 : 1; }
  struct FittedTables {
    jpeg::HuffmanTable dc[2], ac[2];
    jpeg::HuffmanCodes dcCodes[2], acCodes[2];
    std::uint64_t codedBits = 0;
  };
  void Tokenise(jpeg::SymbolStatistics& stats);
  FittedTables FitTables(const jpeg::SymbolStatistics& stats) const;
  void WriteScans(jpeg::ByteSink& sink, const FittedTables& tables) const;
  void LayOutPlanes();
  // Lays out the scans again, reusing their storage.
  void LayOutScans();
  void WriteHeaders(jpeg::ByteSink& sink, const jpeg::HuffmanTable (&dc)[2], const jpeg::HuffmanTable (&ac)[2]) const;

  int quality_ = 75;
  std::array<jpeg::QuantTable, 2> scaled_{};
  jpeg::QuantDivisors divisors_[2]{};
  std::vector<jpeg::FrameComponent> components_;
  std::string comment_;
  int width_ = 0, height_ = 0;
  bool sampled_ = false;
  std::vector<jpeg::Plane> planes_;
  std::vector<std::uint8_t> scratch_;
  std::vector<jpeg::ScanLayout> scans_;
  std::vector<std::uint32_t*> scanTokens_;  // where each scan's tokens start, then the end
  jpeg::TokenBuffer tokens_;
  std::vector<std::uint8_t> output_;
  std::size_t outputSize_ = 0;
};

}  // namespace miravela
