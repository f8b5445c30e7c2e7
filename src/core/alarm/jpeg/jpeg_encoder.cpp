#include "alarm/jpeg/jpeg_encoder.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace miravela {

namespace {

constexpr int kMaxBlocksPerMcu = 10;
constexpr std::size_t kMaxCommentBytes = 65535 - 2;  // the segment length counts itself
// Kept short: it is written into every photograph.
const std::string kCredit =
    "Baseline JPEG\r\n"
    "Fitted Huffman tables\r\n"
    "Float DCT";

int CeilDiv(long a, long b) { return static_cast<int>((a + b - 1) / b); }

bool ValidFactor(int f) { return f >= 1 && f <= 4; }

// Writes all of `data` to a file that must not exist yet.
bool WriteNewFile(const QString& fileName, std::span<const std::uint8_t> data, bool& existed) {
  const QByteArray path = QFile::encodeName(fileName);
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  existed = fd < 0 && errno == EEXIST;
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const bool ok = ::close(fd) == 0 && done == data.size();
  if (!ok) ::unlink(path.constData());  // a partial photograph is worse than none
  return ok;
}

}  // namespace

cJpeg::cJpeg() {
  SetQuality(75);
  SetSamplingFrequencies(2, 2, 1, 1, 1, 1);
}

void cJpeg::SetQuality(int quality) {
  if (quality < 1 || quality > 100) return;
  quality_ = quality;
  scaled_[0] = jpeg::ScaleTable(jpeg::BaseLuminanceTable(), quality);
  scaled_[1] = jpeg::ScaleTable(jpeg::BaseChrominanceTable(), quality);
  divisors_[0] = jpeg::MakeDivisors(scaled_[0]);
  divisors_[1] = jpeg::MakeDivisors(scaled_[1]);
}

void cJpeg::SetSamplingFrequencies(int h1, int v1, int h2, int v2, int h3, int v3) {
  const auto invalid = [] { return JpegError(1, "Invalid Sampling Value"); };
  if (!ValidFactor(h1) || !ValidFactor(v1)) throw invalid();
  if (h2 == 0 && v2 == 0 && h3 == 0 && v3 == 0) {
    components_ = {{1, 1, 1, 0}};
  } else {
    for (int f : {h2, v2, h3, v3})
      if (!ValidFactor(f)) throw invalid();
    components_ = {{1, h1, v1, 0}, {2, h2, v2, 1}, {3, h3, v3, 1}};
  }
  sampled_ = false;  // the planes no longer match the components
}

void cJpeg::SetComment(const std::string& comment) {
  if (comment.size() > kMaxCommentBytes) throw JpegError(1, "Illegal Comment Length");
  comment_ = comment;
}

void cJpeg::LayOutPlanes() {
  int hMax = 1, vMax = 1;
  for (const jpeg::FrameComponent& c : components_) {
    hMax = std::max(hMax, c.h);
    vMax = std::max(vMax, c.v);
  }
  const int mcusAcross = CeilDiv(width_, 8L * hMax), mcusDown = CeilDiv(height_, 8L * vMax);
  planes_.resize(components_.size());
  for (std::size_t i = 0; i < components_.size(); ++i) {
    const jpeg::FrameComponent& c = components_[i];
    jpeg::Plane& p = planes_[i];
    p.kind = static_cast<jpeg::ColourComponent>(i);
    p.width = CeilDiv(static_cast<long>(width_) * c.h, hMax);
    p.height = CeilDiv(static_cast<long>(height_) * c.v, vMax);
    p.paddedWidth = mcusAcross * c.h * 8;
    p.paddedHeight = mcusDown * c.v * 8;
  }
}

int cJpeg::SampleHDC(const QImage& dc, int width, int height, int left, int top) {
  if (dc.isNull() || width < 1 || height < 1 || width > 65535 || height > 65535) return kSampleFailed;
  width_ = width;
  height_ = height;
  LayOutPlanes();
  jpeg::SamplePlanes(dc, QRect(left, top, width, height), planes_, scratch_);
  LayOutScans();
  sampled_ = true;
  return kSampled;
}

void cJpeg::LayOutScans() {
  // As few interleaved scans as possible: a scan closes at three components or when
  // the next component would bring an MCU above ten blocks.
  std::array<int, 3> firstOfScan{};
  std::array<int, 3> size{};
  int scans = 0, blocks = 0;
  for (int i = 0; i < static_cast<int>(components_.size()); ++i) {
    const int add = components_[i].h * components_[i].v;
    if (scans == 0 || size[scans - 1] == 3 || blocks + add > kMaxBlocksPerMcu) {
      firstOfScan[scans++] = i;
      blocks = 0;
    }
    ++size[scans - 1];
    blocks += add;
  }
  scans_.resize(static_cast<std::size_t>(scans));
  for (int s = 0; s < scans; ++s) {
    jpeg::ScanLayout& scan = scans_[s];
    scan.components.clear();  // keeps its storage
    const int first = firstOfScan[s];
    const jpeg::Plane& p = planes_[first];
    if (size[s] == 1) {
      // A scan of one component walks its own blocks, one per MCU.
      scan.components.push_back({&p, components_[first].quantTable, 1, 1});
      scan.mcusAcross = CeilDiv(p.width, 8);
      scan.mcusDown = CeilDiv(p.height, 8);
      continue;
    }
    for (int i = first; i < first + size[s]; ++i)
      scan.components.push_back({&planes_[i], components_[i].quantTable, components_[i].h, components_[i].v});
    // Every plane is padded to whole MCUs of the frame.
    scan.mcusAcross = p.paddedWidth / (8 * components_[first].h);
    scan.mcusDown = p.paddedHeight / (8 * components_[first].v);
  }
}

void cJpeg::WriteHeaders(jpeg::ByteSink& sink, const jpeg::HuffmanTable (&dc)[2],
                         const jpeg::HuffmanTable (&ac)[2]) const {
  const int tables = TableCount();
  jpeg::WriteStartOfImage(sink);
  jpeg::WriteJfifHeader(sink);
  if (!comment_.empty()) jpeg::WriteComment(sink, comment_);
  jpeg::WriteComment(sink, kCredit);
  for (int t = 0; t < tables; ++t) jpeg::WriteQuantTable(sink, t, scaled_[t]);
  jpeg::WriteFrameHeader(sink, width_, height_, components_);
  for (int t = 0; t < tables; ++t) {
    jpeg::WriteHuffmanTable(sink, 0, t, dc[t]);
    jpeg::WriteHuffmanTable(sink, 1, t, ac[t]);
  }
}

void cJpeg::Tokenise(jpeg::SymbolStatistics& stats) {
  long blocks = 0;
  for (const jpeg::ScanLayout& s : scans_) blocks += s.Blocks();
  std::uint32_t* end = tokens_.Reserve(static_cast<std::size_t>(blocks) * jpeg::kMaxTokensPerBlock);
  scanTokens_.clear();
  for (const jpeg::ScanLayout& s : scans_) {
    scanTokens_.push_back(end);
    end = jpeg::TokeniseScan(s, divisors_, end, stats);
  }
  scanTokens_.push_back(end);  // where the last scan's tokens end
}

cJpeg::FittedTables cJpeg::FitTables(const jpeg::SymbolStatistics& stats) const {
  FittedTables f;
  for (int t = 0; t < TableCount(); ++t) {
    f.dc[t] = jpeg::BuildOptimalTable(stats.dc[t]);
    f.ac[t] = jpeg::BuildOptimalTable(stats.ac[t]);
    f.dcCodes[t] = jpeg::DeriveCodes(f.dc[t]);
    f.acCodes[t] = jpeg::DeriveCodes(f.ac[t]);
    f.codedBits += jpeg::CodedBits(stats.dc[t], f.dcCodes[t]) + jpeg::CodedBits(stats.ac[t], f.acCodes[t]);
  }
  return f;
}

void cJpeg::WriteScans(jpeg::ByteSink& sink, const FittedTables& f) const {
  const int last = TableCount() - 1;
  const jpeg::ScanCodes codes{{&f.dcCodes[0], &f.acCodes[0], &f.dcCodes[last], &f.acCodes[last]}};
  for (std::size_t i = 0; i < scans_.size(); ++i) {
    std::array<int, 3> ids{}, tableNumbers{};
    const std::size_t n = scans_[i].components.size();
    for (std::size_t k = 0; k < n; ++k) {
      const jpeg::ScanComponent& c = scans_[i].components[k];
      ids[k] = components_[static_cast<std::size_t>(c.plane - planes_.data())].id;
      tableNumbers[k] = c.table;
    }
    jpeg::WriteScanHeader(sink, std::span(ids.data(), n), std::span(tableNumbers.data(), n));
    jpeg::BitWriter writer(sink);
    jpeg::EmitScan(scanTokens_[i], scanTokens_[i + 1], codes, writer);
    writer.Finish();
  }
}

std::span<const std::uint8_t> cJpeg::Encode() {
  if (!sampled_) return {};
  // Pass one: every block once, into tokens and symbol counts; then the tables.
  jpeg::SymbolStatistics stats;
  Tokenise(stats);
  const FittedTables tables = FitTables(stats);
  // Pass two: the file.
  jpeg::ByteSink sink(output_);
  sink.Reserve(static_cast<std::size_t>(static_cast<double>(tables.codedBits / 8) * 1.3) + 1000 + comment_.size() +
               kCredit.size());
  WriteHeaders(sink, tables.dc, tables.ac);
  WriteScans(sink, tables);
  jpeg::WriteEndOfImage(sink);
  outputSize_ = sink.size();
  return {output_.data(), outputSize_};
}

int cJpeg::SaveFile(const QString& fileName) {
  if (fileName.isEmpty()) return kEmptyName;
  // A dangling link or any other entry of that name counts as existing.
  const QByteArray path = QFile::encodeName(fileName);
  if (::access(path.constData(), F_OK) == 0 || QFileInfo(fileName).isSymLink()) return kFileExists;
  if (!sampled_) return kNotWritten;
  bool existed = false;
  if (WriteNewFile(fileName, Encode(), existed)) return kSaved;
  return existed ? kFileExists : kNotWritten;
}

}  // namespace miravela
