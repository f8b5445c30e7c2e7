// The encoder's files read back by libjpeg-turbo: structure, pixels, tables, sizes,
// and the encoder's refusals.
#include "alarm/jpeg/jpeg_encoder.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include "alarm/jpeg/jpeg_quant.h"
#include "alarm/jpeg/jpeg_sampling.h"

namespace miravela {
namespace {

using Bytes = std::vector<std::uint8_t>;

// --- Reading files back with libjpeg-turbo ------------------------------------------

struct ErrorTrap {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void TrapError(j_common_ptr cinfo) {
  auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, trap->message);
  std::longjmp(trap->jump, 1);
}

struct Decoded {
  bool ok = false;
  std::string error;
  int width = 0, height = 0, components = 0;
  int h[3]{}, v[3]{};
  std::vector<std::vector<std::uint8_t>> quant;   // natural order, per table present
  std::vector<std::uint8_t> pixels;               // RGB or grey, rows packed
  std::vector<std::vector<std::uint8_t>> planes;  // raw mode: each component's samples
  std::vector<int> planeWidth, planeHeight;
};

// Decodes to RGB/grey pixels, or in raw mode to the component planes as stored.
Decoded Decode(const Bytes& file, bool raw = false) {
  Decoded d;
  jpeg_decompress_struct cinfo;
  ErrorTrap trap;
  cinfo.err = jpeg_std_error(&trap.mgr);
  trap.mgr.error_exit = TrapError;
  if (setjmp(trap.jump)) {
    d.error = trap.message;
    jpeg_destroy_decompress(&cinfo);
    return d;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), file.size());
  jpeg_read_header(&cinfo, TRUE);
  d.width = static_cast<int>(cinfo.image_width);
  d.height = static_cast<int>(cinfo.image_height);
  d.components = cinfo.num_components;
  for (int c = 0; c < d.components && c < 3; ++c) {
    d.h[c] = cinfo.comp_info[c].h_samp_factor;
    d.v[c] = cinfo.comp_info[c].v_samp_factor;
  }
  for (int t = 0; t < 2; ++t)
    if (cinfo.quant_tbl_ptrs[t]) {
      std::vector<std::uint8_t> q(64);
      for (int i = 0; i < 64; ++i) q[i] = static_cast<std::uint8_t>(cinfo.quant_tbl_ptrs[t]->quantval[i]);
      d.quant.push_back(q);
    }
  if (raw) {
    cinfo.raw_data_out = TRUE;
    jpeg_start_decompress(&cinfo);
    const int n = cinfo.num_components;
    std::vector<std::vector<std::uint8_t>> store(n);
    std::vector<int> stride(n), rows(n);
    for (int c = 0; c < n; ++c) {
      jpeg_component_info& ci = cinfo.comp_info[c];
      stride[c] = static_cast<int>(ci.width_in_blocks) * 8;
      rows[c] = static_cast<int>((ci.height_in_blocks + ci.v_samp_factor) * 8);
      store[c].assign(static_cast<std::size_t>(stride[c]) * rows[c], 0);
      d.planeWidth.push_back(static_cast<int>(ci.downsampled_width));
      d.planeHeight.push_back(static_cast<int>(ci.downsampled_height));
    }
    const int step = cinfo.max_v_samp_factor * 8;
    for (int done = 0; cinfo.output_scanline < cinfo.output_height; done++) {
      std::vector<std::vector<JSAMPROW>> rowPtrs(n);
      std::vector<JSAMPARRAY> arrays(n);
      for (int c = 0; c < n; ++c) {
        const int per = cinfo.comp_info[c].v_samp_factor * 8;
        for (int r = 0; r < per; ++r) {
          const int row = std::min(done * per + r, rows[c] - 1);
          rowPtrs[c].push_back(store[c].data() + static_cast<std::size_t>(row) * stride[c]);
        }
        arrays[c] = rowPtrs[c].data();
      }
      jpeg_read_raw_data(&cinfo, arrays.data(), static_cast<JDIMENSION>(step));
    }
    for (int c = 0; c < n; ++c) {
      std::vector<std::uint8_t> plane;
      for (int y = 0; y < d.planeHeight[c]; ++y)
        plane.insert(plane.end(), store[c].begin() + static_cast<long>(y) * stride[c],
                     store[c].begin() + static_cast<long>(y) * stride[c] + d.planeWidth[c]);
      d.planes.push_back(plane);
    }
  } else {
    cinfo.out_color_space = cinfo.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int rowBytes = d.width * cinfo.output_components;
    d.pixels.resize(static_cast<std::size_t>(rowBytes) * d.height);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = d.pixels.data() + static_cast<std::size_t>(cinfo.output_scanline) * rowBytes;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  d.ok = true;
  return d;
}

// The same coefficients re-coded by libjpeg-turbo with its own optimised tables.
Bytes Recode(const Bytes& file) {
  jpeg_decompress_struct in;
  jpeg_compress_struct out;
  ErrorTrap trap;
  in.err = jpeg_std_error(&trap.mgr);
  out.err = in.err;
  trap.mgr.error_exit = TrapError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(trap.jump)) {
    jpeg_destroy_compress(&out);
    jpeg_destroy_decompress(&in);
    ADD_FAILURE() << trap.message;
    return {};
  }
  jpeg_create_decompress(&in);
  jpeg_create_compress(&out);
  jpeg_mem_src(&in, file.data(), file.size());
  jpeg_read_header(&in, TRUE);
  jvirt_barray_ptr* coefficients = jpeg_read_coefficients(&in);
  jpeg_copy_critical_parameters(&in, &out);
  out.optimize_coding = TRUE;
  jpeg_mem_dest(&out, &buffer, &size);
  jpeg_write_coefficients(&out, coefficients);
  jpeg_finish_compress(&out);
  jpeg_finish_decompress(&in);
  Bytes recoded(buffer, buffer + size);
  free(buffer);
  jpeg_destroy_compress(&out);
  jpeg_destroy_decompress(&in);
  return recoded;
}

// The same picture encoded by libjpeg-turbo with the same settings (float DCT,
// optimised tables), as the yardstick for picture quality.
Bytes LibjpegEncode(const QImage& picture, int quality, const int (&sampling)[6]) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  cinfo.dct_method = JDCT_FLOAT;
  if (sampling[2] == 0) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  for (int c = 0; c < cinfo.num_components; ++c) {
    cinfo.comp_info[c].h_samp_factor = cinfo.num_components == 1 ? 1 : sampling[2 * c];
    cinfo.comp_info[c].v_samp_factor = cinfo.num_components == 1 ? 1 : sampling[2 * c + 1];
  }
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  free(buffer);
  jpeg_destroy_compress(&cinfo);
  return out;
}

// --- Reading the file's own structure ------------------------------------------------

struct Segment {
  int marker;
  Bytes body;  // after the length field; for SOS, the header only
  std::size_t entropyBytes = 0;
};

std::vector<Segment> Segments(const Bytes& f) {
  std::vector<Segment> out;
  std::size_t i = 2;
  out.push_back({0xD8, {}});
  while (i + 1 < f.size()) {
    const int marker = f[i + 1];
    if (marker == 0xD9) {
      out.push_back({0xD9, {}});
      break;
    }
    const std::size_t length = (f[i + 2] << 8) | f[i + 3];
    Segment s{marker, Bytes(f.begin() + static_cast<long>(i) + 4, f.begin() + static_cast<long>(i + 2 + length))};
    i += 2 + length;
    if (marker == 0xDA) {
      const std::size_t start = i;
      while (i + 1 < f.size() && !(f[i] == 0xFF && f[i + 1] != 0)) ++i;
      s.entropyBytes = i - start;
    }
    out.push_back(s);
  }
  return out;
}

std::size_t EntropyBytes(const Bytes& f) {
  std::size_t n = 0;
  for (const Segment& s : Segments(f)) n += s.entropyBytes;
  return n;
}

// --- Pictures --------------------------------------------------------------------------

// Smooth shading with edges and a little texture, like a camera frame.
QImage Scene(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  std::uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = static_cast<int>(seed >> 28) - 8;
      const bool inBox = x > w / 4 && x < w / 2 && y > h / 3 && y < 2 * h / 3;
      int r = 40 + 160 * x / w + noise, g = 60 + 120 * y / h + noise, b = inBox ? 220 : 90 + noise;
      if ((x / 9 + y / 7) % 5 == 0) r = 250 - r / 2;
      img.setPixel(x, y, qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
    }
  return img;
}

double Psnr(const std::vector<double>& a, const std::vector<double>& b) {
  double se = 0;
  for (std::size_t i = 0; i < a.size(); ++i) se += (a[i] - b[i]) * (a[i] - b[i]);
  const double mse = se / static_cast<double>(a.size());
  return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

double PsnrRgb(const QImage& source, const Decoded& d) {
  std::vector<double> a, b;
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x) {
      const QRgb c = source.pixel(x, y);
      const std::uint8_t* p = d.pixels.data() + (static_cast<std::size_t>(y) * d.width + x) * 3;
      a.insert(a.end(), {double(qRed(c)), double(qGreen(c)), double(qBlue(c))});
      b.insert(b.end(), {double(p[0]), double(p[1]), double(p[2])});
    }
  return Psnr(a, b);
}

Bytes EncodeWith(cJpeg& jpeg, const QImage& picture) {
  EXPECT_EQ(jpeg.SampleHDC(picture, picture.width(), picture.height()), cJpeg::kSampled);
  const auto span = jpeg.Encode();
  return Bytes(span.begin(), span.end());
}

// --- Tests ------------------------------------------------------------------------------

TEST(JpegEncoderTest, ColourPicturesOfAwkwardSizesDecodeAsWellAsLibjpegTurbos) {
  struct Case {
    int w, h;
    int sampling[6];
  };
  const Case cases[] = {
      {64, 48, {1, 1, 1, 1, 1, 1}},   {37, 29, {1, 1, 1, 1, 1, 1}}, {37, 29, {2, 2, 1, 1, 1, 1}},
      {17, 9, {2, 1, 1, 1, 1, 1}},    {1, 1, {1, 1, 1, 1, 1, 1}},   {100, 3, {2, 2, 1, 1, 1, 1}},
      {160, 120, {1, 1, 1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    cJpeg jpeg;
    const int* s = c.sampling;
    jpeg.SetSamplingFrequencies(s[0], s[1], s[2], s[3], s[4], s[5]);
    const QImage picture = Scene(c.w, c.h);
    const Decoded d = Decode(EncodeWith(jpeg, picture));
    ASSERT_TRUE(d.ok) << d.error << " " << c.w << "x" << c.h;
    EXPECT_EQ(d.width, c.w);  // the frame carries the true size, not the padded one
    EXPECT_EQ(d.height, c.h);
    EXPECT_EQ(d.components, 3);
    const Decoded theirs = Decode(LibjpegEncode(picture, 75, c.sampling));
    ASSERT_TRUE(theirs.ok) << theirs.error;
    const double ours = PsnrRgb(picture, d), reference = PsnrRgb(picture, theirs);
    EXPECT_GT(ours, 20);
    // Subsampled chroma is smoothed differently on the two sides; the full-size
    // planes must match closely.
    const double margin = s[0] == 1 && s[1] == 1 ? 0.2 : 1.0;
    EXPECT_GT(ours, reference - margin) << c.w << "x" << c.h << " H1 " << s[0];
  }
}

TEST(JpegEncoderTest, GreyscaleGivesOneComponentWithOneTableEach) {
  cJpeg jpeg;
  jpeg.SetSamplingFrequencies(1, 1, 0, 0, 0, 0);
  const QImage picture = Scene(45, 21);
  const Bytes file = EncodeWith(jpeg, picture);
  const Decoded d = Decode(file);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.components, 1);
  int dqt = 0, dht = 0;
  for (const Segment& s : Segments(file)) dqt += s.marker == 0xDB, dht += s.marker == 0xC4;
  EXPECT_EQ(dqt, 1);
  EXPECT_EQ(dht, 2);
  std::vector<double> expected, got;
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x) {
      const QRgb c = picture.pixel(x, y);
      expected.push_back(0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c));
      got.push_back(d.pixels[static_cast<std::size_t>(y) * d.width + x]);
    }
  EXPECT_GT(Psnr(expected, got), 30);
  // Against libjpeg-turbo's greyscale of the same picture: as close to the source.
  const int grey[6] = {1, 1, 0, 0, 0, 0};
  const Decoded theirs = Decode(LibjpegEncode(picture, 75, grey));
  ASSERT_TRUE(theirs.ok);
  std::vector<double> reference(theirs.pixels.begin(), theirs.pixels.end());
  EXPECT_GT(Psnr(expected, got), Psnr(expected, reference) - 0.5);
}

// A linear shading: any smoothed smaller copy of it is the shading sampled at the
// centres of the smaller pixels, which the test can compute directly.
QRgb Shade(double x, double y) {
  return qRgb(static_cast<int>(std::lround(20 + 5 * x)), static_cast<int>(std::lround(30 + 3 * y)),
              static_cast<int>(std::lround(200 - 2 * x - 2 * y)));
}

TEST(JpegEncoderTest, EverySamplingCombinationDecodesToTheRightPlanes) {
  const int w = 29, h = 21;
  QImage picture(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) picture.setPixel(x, y, Shade(x, y));
  const jpeg::ColourComponent kinds[3] = {jpeg::ColourComponent::Y, jpeg::ColourComponent::Cb,
                                          jpeg::ColourComponent::Cr};
  cJpeg jpeg;
  jpeg.SetQuality(90);
  int combinations = 0;
  for (int code = 0; code < 4096 + 16; ++code) {
    int f[6];
    if (code < 4096) {
      for (int i = 0; i < 6; ++i) f[i] = 1 + (code >> (2 * i)) % 4;
    } else {  // greyscale, whatever H1 and V1 say
      f[0] = 1 + (code - 4096) % 4, f[1] = 1 + (code - 4096) / 4, f[2] = f[3] = f[4] = f[5] = 0;
    }
    jpeg.SetSamplingFrequencies(f[0], f[1], f[2], f[3], f[4], f[5]);
    const Decoded d = Decode(EncodeWith(jpeg, picture), true);
    ASSERT_TRUE(d.ok) << d.error << " code " << code;
    const int n = code < 4096 ? 3 : 1;
    ASSERT_EQ(d.components, n);
    int hMax = 1, vMax = 1;
    for (int c = 0; c < n; ++c) {
      const int hc = n == 1 ? 1 : f[2 * c], vc = n == 1 ? 1 : f[2 * c + 1];
      EXPECT_EQ(d.h[c], hc);
      EXPECT_EQ(d.v[c], vc);
      hMax = std::max(hMax, hc), vMax = std::max(vMax, vc);
    }
    for (int c = 0; c < n; ++c) {
      const int pw = d.planeWidth[c], ph = d.planeHeight[c];
      std::vector<double> expected, got;
      for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) {
          const QRgb s = Shade((x + 0.5) * w / pw - 0.5, (y + 0.5) * h / ph - 0.5);
          expected.push_back(jpeg::ColourSample(kinds[c], qRed(s), qGreen(s), qBlue(s)) + 128);
          got.push_back(d.planes[c][static_cast<std::size_t>(y) * pw + x]);
        }
      ASSERT_GT(Psnr(expected, got), 30) << "code " << code << " component " << c;
    }
    ++combinations;
  }
  EXPECT_EQ(combinations, 4096 + 16);
}

TEST(JpegEncoderTest, ScansGroupAsManyComponentsAsAnMcuAllows) {
  struct Case {
    int sampling[6];
    std::vector<std::vector<int>> scans;
  };
  const Case cases[] = {
      {{1, 1, 1, 1, 1, 1}, {{1, 2, 3}}},   {{2, 2, 1, 1, 1, 1}, {{1, 2, 3}}}, {{2, 2, 2, 2, 2, 2}, {{1, 2}, {3}}},
      {{4, 4, 1, 1, 1, 1}, {{1}, {2, 3}}}, {{4, 2, 1, 1, 1, 1}, {{1, 2, 3}}},  // exactly ten blocks still fit
      {{3, 3, 1, 1, 1, 1}, {{1, 2}, {3}}},                                     // 9 + 1, then an eleventh would not
      {{1, 1, 0, 0, 0, 0}, {{1}}},
  };
  for (const Case& c : cases) {
    cJpeg jpeg;
    const int* s = c.sampling;
    jpeg.SetSamplingFrequencies(s[0], s[1], s[2], s[3], s[4], s[5]);
    std::vector<std::vector<int>> scans;
    for (const Segment& seg : Segments(EncodeWith(jpeg, Scene(40, 40)))) {
      if (seg.marker != 0xDA) continue;
      std::vector<int> ids;
      for (int i = 0; i < seg.body[0]; ++i) ids.push_back(seg.body[1 + 2 * i]);
      scans.push_back(ids);
    }
    EXPECT_EQ(scans, c.scans) << "H1 " << s[0] << " V1 " << s[1] << " H2 " << s[2];
  }
}

TEST(JpegEncoderTest, QuantisationTablesInTheFileFollowTheQuality) {
  for (int quality : {1, 50, 75, 100}) {
    cJpeg jpeg;
    jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
    jpeg.SetQuality(quality);
    const Bytes file = EncodeWith(jpeg, Scene(24, 16));
    std::vector<Bytes> dqt;
    for (const Segment& s : Segments(file))
      if (s.marker == 0xDB) dqt.push_back(s.body);
    ASSERT_EQ(dqt.size(), 2u);
    const jpeg::QuantTable* base[2] = {&jpeg::BaseLuminanceTable(), &jpeg::BaseChrominanceTable()};
    const Decoded d = Decode(file);
    ASSERT_TRUE(d.ok) << d.error;
    for (int t = 0; t < 2; ++t) {
      ASSERT_EQ(dqt[t].size(), 65u);
      EXPECT_EQ(dqt[t][0], t);  // 8-bit entries, table t
      const double scale = quality < 50 ? std::nearbyint(5000.0 / quality) : 200 - 2 * quality;
      for (int k = 0; k < 64; ++k) {
        const double expected = std::clamp(std::nearbyint(((*base[t])[k] * scale + 50) / 100.0), 1.0, 255.0);
        EXPECT_EQ(dqt[t][1 + k], expected) << "quality " << quality << " k " << k;
        // The decoder reads the same table (it keeps it in natural order).
        EXPECT_EQ(d.quant[t][jpeg::kZigzagToNatural[k]], expected);
      }
    }
    EXPECT_GT(PsnrRgb(Scene(24, 16), d), quality == 1 ? 10 : quality == 100 ? 40 : 25);
  }
}

TEST(JpegEncoderTest, HuffmanTablesAreAsShortAsLibjpegTurbosOptimisedOnes) {
  struct Case {
    int quality;
    int sampling[6];
  };
  const Case cases[] = {
      {75, {1, 1, 1, 1, 1, 1}}, {50, {2, 2, 1, 1, 1, 1}}, {95, {1, 1, 0, 0, 0, 0}}, {10, {2, 1, 1, 1, 1, 1}}};
  for (const Case& c : cases) {
    cJpeg jpeg;
    const int* s = c.sampling;
    jpeg.SetSamplingFrequencies(s[0], s[1], s[2], s[3], s[4], s[5]);
    jpeg.SetQuality(c.quality);
    const Bytes ours = EncodeWith(jpeg, Scene(123, 77));
    const Bytes theirs = Recode(ours);
    ASSERT_FALSE(theirs.empty());
    EXPECT_LE(EntropyBytes(ours), EntropyBytes(theirs)) << "quality " << c.quality;
    EXPECT_GT(EntropyBytes(ours), 0u);
  }
}

TEST(JpegEncoderTest, SegmentsComeInTheirOrder) {
  cJpeg jpeg;
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  jpeg.SetComment("Puerta principal");
  const Bytes file = EncodeWith(jpeg, Scene(16, 16));
  std::vector<int> markers;
  std::vector<Segment> segments = Segments(file);
  for (const Segment& s : segments) markers.push_back(s.marker);
  const std::vector<int> expected = {0xD8, 0xE0, 0xFE, 0xFE, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA, 0xD9};
  EXPECT_EQ(markers, expected);
  const Bytes app0 = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  EXPECT_EQ(segments[1].body, app0);
  EXPECT_EQ(std::string(segments[2].body.begin(), segments[2].body.end()), "Puerta principal");
  const std::string credit(segments[3].body.begin(), segments[3].body.end());
  EXPECT_EQ(std::count(credit.begin(), credit.end(), '\n'), 2);
  EXPECT_EQ(std::count(credit.begin(), credit.end(), '\r'), 2);
  // DHT order: DC 0, AC 0, DC 1, AC 1.
  EXPECT_EQ(segments[7].body[0], 0x00);
  EXPECT_EQ(segments[8].body[0], 0x10);
  EXPECT_EQ(segments[9].body[0], 0x01);
  EXPECT_EQ(segments[10].body[0], 0x11);
  // Without a user comment only the credit is there.
  jpeg.SetComment("");
  int comments = 0;
  for (const Segment& s : Segments(EncodeWith(jpeg, Scene(16, 16)))) comments += s.marker == 0xFE;
  EXPECT_EQ(comments, 1);
}

TEST(JpegEncoderTest, NoiseAtQualityHundredFillsEveryCoefficient) {
  // The most symbols per block and the most 0xFF bytes to stuff: the buffers must grow.
  QImage noise(96, 80, QImage::Format_RGB888);
  std::uint32_t seed = 99;
  for (int y = 0; y < noise.height(); ++y) {
    uchar* row = noise.scanLine(y);
    for (int x = 0; x < 3 * noise.width(); ++x) {
      seed = seed * 1664525u + 1013904223u;
      row[x] = static_cast<uchar>(seed >> 24);
    }
  }
  cJpeg jpeg;
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  jpeg.SetQuality(100);
  const Bytes file = EncodeWith(jpeg, noise);
  const Decoded d = Decode(file);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_GT(file.size(), static_cast<std::size_t>(96 * 80 * 3 / 2));
  EXPECT_GT(PsnrRgb(noise, d), 40);
  EXPECT_LE(EntropyBytes(file), EntropyBytes(Recode(file)));
}

TEST(JpegEncoderTest, ReusedEncoderGivesTheSameFileAgain) {
  cJpeg jpeg;
  const Bytes big = EncodeWith(jpeg, Scene(200, 120));
  const Bytes small = EncodeWith(jpeg, Scene(30, 20));
  const Bytes again = EncodeWith(jpeg, Scene(200, 120));
  EXPECT_EQ(big, again);
  EXPECT_TRUE(Decode(small).ok);
  EXPECT_EQ(Decode(small).width, 30);
}

TEST(JpegEncoderTest, PicturesOfEveryLayoutAndPartlyOutsideRectanglesSample) {
  const QImage scene = Scene(40, 30);
  for (QImage::Format format : {QImage::Format_RGB888, QImage::Format_BGR888, QImage::Format_RGB32,
                                QImage::Format_ARGB32, QImage::Format_RGB16, QImage::Format_Indexed8}) {
    cJpeg jpeg;
    jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
    const QImage picture = scene.convertToFormat(format).convertToFormat(QImage::Format_RGB32);
    const Decoded d = Decode(EncodeWith(jpeg, scene.convertToFormat(format)));
    ASSERT_TRUE(d.ok) << d.error;
    const int same[6] = {1, 1, 1, 1, 1, 1};
    const double reference = PsnrRgb(picture, Decode(LibjpegEncode(picture, 75, same)));
    EXPECT_GT(PsnrRgb(picture, d), reference - 0.5) << format;
  }
  // A rectangle reaching past the picture: the part outside reads black.
  cJpeg jpeg;
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  ASSERT_EQ(jpeg.SampleHDC(scene, 16, 16, 32, 22), cJpeg::kSampled);
  const auto span = jpeg.Encode();
  const Decoded d = Decode(Bytes(span.begin(), span.end()));
  ASSERT_TRUE(d.ok);
  const std::uint8_t* corner = d.pixels.data() + (15 * 16 + 15) * 3;
  EXPECT_LT(corner[0] + corner[1] + corner[2], 30);
  const std::uint8_t* inside = d.pixels.data();
  const QRgb source = scene.pixel(32, 22);
  EXPECT_NEAR(inside[1], qGreen(source), 16);
}

TEST(JpegEncoderTest, OutOfRangeSettingsAreRefusedAndChangeNothing) {
  cJpeg jpeg;
  EXPECT_EQ(jpeg.Quality(), 75);
  const jpeg::QuantTable before = jpeg.ScaledTable(0);
  for (int q : {0, 101, -5}) {
    jpeg.SetQuality(q);
    EXPECT_EQ(jpeg.Quality(), 75);
    EXPECT_EQ(jpeg.ScaledTable(0), before);
  }
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  const int bad[][6] = {{0, 1, 1, 1, 1, 1}, {1, 5, 0, 0, 0, 0}, {1, 1, 0, 1, 1, 1},
                        {1, 1, 1, 1, 1, 5}, {1, 1, 1, 0, 0, 0}, {-1, 1, 1, 1, 1, 1}};
  for (const auto& f : bad) {
    try {
      jpeg.SetSamplingFrequencies(f[0], f[1], f[2], f[3], f[4], f[5]);
      ADD_FAILURE() << "accepted " << f[0] << f[1] << f[2] << f[3] << f[4] << f[5];
    } catch (const JpegError& e) {
      EXPECT_EQ(e.number(), 1);
      EXPECT_STREQ(e.what(), "Invalid Sampling Value");
    }
  }
  const Decoded d = Decode(EncodeWith(jpeg, Scene(20, 20)));
  EXPECT_EQ(d.components, 3);
  EXPECT_EQ(d.h[0], 1);

  jpeg.SetComment("kept");
  try {
    jpeg.SetComment(std::string(65534, 'x'));
    ADD_FAILURE() << "accepted an over-long comment";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.number(), 1);
    EXPECT_STREQ(e.what(), "Illegal Comment Length");
  }
  EXPECT_EQ(jpeg.Comment(), "kept");
  // The longest comment that fits its segment is accepted and read back whole.
  jpeg.SetComment(std::string(65533, 'y'));
  const Bytes file = EncodeWith(jpeg, Scene(8, 8));
  EXPECT_TRUE(Decode(file).ok);
  EXPECT_EQ(Segments(file)[2].body.size(), 65533u);
}

TEST(JpegEncoderTest, SamplingRefusesWhatCannotBeAPicture) {
  cJpeg jpeg;
  const QImage scene = Scene(10, 10);
  EXPECT_EQ(jpeg.SampleHDC(QImage(), 10, 10), cJpeg::kSampleFailed);
  EXPECT_EQ(jpeg.SampleHDC(scene, 0, 10), cJpeg::kSampleFailed);
  EXPECT_EQ(jpeg.SampleHDC(scene, 10, -1), cJpeg::kSampleFailed);
  EXPECT_EQ(jpeg.SampleHDC(scene, 70000, 10), cJpeg::kSampleFailed);
  EXPECT_TRUE(jpeg.Encode().empty());
}

TEST(JpegEncoderTest, SaveFileWritesNewFilesOnly) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  cJpeg jpeg;
  const QString name = dir.filePath("2026-01-31 (101500) 1.jpg");
  EXPECT_EQ(jpeg.SaveFile(name), cJpeg::kNotWritten);  // nothing sampled yet
  EXPECT_FALSE(QFile::exists(name));
  ASSERT_EQ(jpeg.SampleHDC(Scene(33, 17), 33, 17), cJpeg::kSampled);
  EXPECT_EQ(jpeg.SaveFile(""), cJpeg::kEmptyName);
  EXPECT_EQ(jpeg.SaveFile(name), cJpeg::kSaved);
  QFile saved(name);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QByteArray content = saved.readAll();
  saved.close();
  const auto encoded = jpeg.Encode();
  EXPECT_EQ(Bytes(content.begin(), content.end()), Bytes(encoded.begin(), encoded.end()));
  EXPECT_TRUE(Decode(Bytes(content.begin(), content.end())).ok);

  // An existing file, even a read-only one or a folder, is never replaced.
  const QString old = dir.filePath("old.jpg");
  {
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old photograph");
  }
  QFile::setPermissions(old, QFile::ReadOwner);
  EXPECT_EQ(jpeg.SaveFile(old), cJpeg::kFileExists);
  EXPECT_EQ(jpeg.SaveFile(name), cJpeg::kFileExists);
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.jpg"));
  EXPECT_EQ(jpeg.SaveFile(dir.filePath("folder.jpg")), cJpeg::kFileExists);
  QFile check(old);
  ASSERT_TRUE(check.open(QIODevice::ReadOnly));
  EXPECT_EQ(check.readAll(), QByteArray("old photograph"));
  // A dangling link counts as an existing name; nothing is written through it.
  const QString target = dir.filePath("nowhere.jpg");
  ASSERT_TRUE(QFile::link(target, dir.filePath("link.jpg")));
  EXPECT_EQ(jpeg.SaveFile(dir.filePath("link.jpg")), cJpeg::kFileExists);
  EXPECT_FALSE(QFile::exists(target));
  // A folder that does not exist: not written, and said so.
  EXPECT_EQ(jpeg.SaveFile(dir.filePath("missing/x.jpg")), cJpeg::kNotWritten);
}

}  // namespace
}  // namespace miravela
