#include "alarm/jpeg/jpeg_writer.h"

namespace miravela::jpeg {

void ByteSink::Reserve(std::size_t bytes) {
  if (size_ + bytes > buffer_.size()) Grow(size_ + bytes);
}

void ByteSink::Bytes(const void* data, std::size_t count) {
  Ensure(count);
  std::memcpy(buffer_.data() + size_, data, count);
  size_ += count;
}

void ByteSink::Grow(std::size_t needed) {
  std::size_t size = buffer_.size() < 4096 ? 4096 : buffer_.size();
  while (size < needed) size *= 2;
  buffer_.resize(size);
}

namespace {

void Marker(ByteSink& out, int code) {
  out.Byte(0xFF);
  out.Byte(code);
}

}  // namespace

void WriteStartOfImage(ByteSink& out) { Marker(out, 0xD8); }

void WriteEndOfImage(ByteSink& out) { Marker(out, 0xD9); }

void WriteJfifHeader(ByteSink& out) {
  Marker(out, 0xE0);
  out.Word(16);
  out.Bytes("JFIF", 5);  // with its terminating zero
  out.Byte(1);           // version 1.01
  out.Byte(1);
  out.Byte(0);  // no density units: the numbers give the aspect ratio only
  out.Word(1);
  out.Word(1);
  out.Byte(0);  // no thumbnail
  out.Byte(0);
}

void WriteComment(ByteSink& out, const std::string& text) {
  Marker(out, 0xFE);
  out.Word(static_cast<int>(text.size() + 2));
  out.Bytes(text.data(), text.size());
}

void WriteQuantTable(ByteSink& out, int number, const QuantTable& table) {
  Marker(out, 0xDB);
  out.Word(2 + 1 + 64);
  out.Byte(number);  // high nibble 0: 8-bit entries, which the table type guarantees
  out.Bytes(table.data(), table.size());
}

void WriteFrameHeader(ByteSink& out, int width, int height, const std::vector<FrameComponent>& components) {
  Marker(out, 0xC0);
  out.Word(8 + 3 * static_cast<int>(components.size()));
  out.Byte(8);
  out.Word(height);
  out.Word(width);
  out.Byte(static_cast<int>(components.size()));
  for (const FrameComponent& c : components) {
    out.Byte(c.id);
    out.Byte((c.h << 4) | c.v);
    out.Byte(c.quantTable);
  }
}

void WriteHuffmanTable(ByteSink& out, int tableClass, int number, const HuffmanTable& table) {
  Marker(out, 0xC4);
  out.Word(2 + 1 + 16 + table.count);
  out.Byte((tableClass << 4) | number);
  out.Bytes(table.bits.data() + 1, 16);
  out.Bytes(table.values.data(), static_cast<std::size_t>(table.count));
}

void WriteScanHeader(ByteSink& out, std::span<const int> componentIds, std::span<const int> tables) {
  Marker(out, 0xDA);
  const int n = static_cast<int>(componentIds.size());
  out.Word(6 + 2 * n);
  out.Byte(n);
  for (int i = 0; i < n; ++i) {
    out.Byte(componentIds[i]);
    out.Byte((tables[i] << 4) | tables[i]);
  }
  out.Byte(0);   // first coefficient of the scan
  out.Byte(63);  // last coefficient of the scan
  out.Byte(0);   // no successive approximation
}

void BitWriter::Regrow() {
  sink_.SetSize(pos_);
  sink_.Reserve(kBlockBytes * 64);
  data_ = sink_.At(0);
  capacity_ = sink_.capacity();
}

void BitWriter::Finish() {
  Reserve();
  const int pad = (8 - pending_ % 8) % 8;
  Put((1u << pad) - 1, pad);
  while (pending_ > 0) {
    pending_ -= 8;
    StuffedByte(static_cast<std::uint32_t>(accumulator_ >> pending_));
  }
  sink_.SetSize(pos_);
}

}  // namespace miravela::jpeg
