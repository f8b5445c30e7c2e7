#pragma once
// Writing the file into memory: a growable byte sink, the marker segments, and the
// bit writer of the entropy-coded data.
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "alarm/jpeg/jpeg_huffman.h"
#include "alarm/jpeg/jpeg_quant.h"

namespace miravela::jpeg {

// Bytes written into a buffer that is kept between images; its size only grows.
class ByteSink {
 public:
  explicit ByteSink(std::vector<std::uint8_t>& buffer) : buffer_(buffer) {}
  void Reserve(std::size_t bytes);
  void Byte(int value) {
    Ensure(1);
    buffer_[size_++] = static_cast<std::uint8_t>(value);
  }
  void Word(int value) {
    Byte(value >> 8);
    Byte(value & 0xFF);
  }
  void Bytes(const void* data, std::size_t count);
  void Ensure(std::size_t more) {
    if (size_ + more > buffer_.size()) Grow(size_ + more);
  }
  std::uint8_t* At(std::size_t offset) { return buffer_.data() + offset; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return buffer_.size(); }
  void SetSize(std::size_t size) { size_ = size; }

 private:
  void Grow(std::size_t needed);
  std::vector<std::uint8_t>& buffer_;
  std::size_t size_ = 0;
};

struct FrameComponent {
  int id, h, v, quantTable;
};

void WriteStartOfImage(ByteSink& out);
void WriteJfifHeader(ByteSink& out);
void WriteComment(ByteSink& out, const std::string& text);
void WriteQuantTable(ByteSink& out, int number, const QuantTable& table);
void WriteFrameHeader(ByteSink& out, int width, int height, const std::vector<FrameComponent>& components);
void WriteHuffmanTable(ByteSink& out, int tableClass, int number, const HuffmanTable& table);
// `tables` holds for each component of the scan its DC/AC table number.
void WriteScanHeader(ByteSink& out, std::span<const int> componentIds, std::span<const int> tables);
void WriteEndOfImage(ByteSink& out);

// Entropy-coded bits with 0xFF byte stuffing. Bits gather in a 64-bit word and leave
// four bytes at a time; the sink is grown before each block, never per bit.
class BitWriter {
 public:
  explicit BitWriter(ByteSink& sink) : sink_(sink), pos_(sink.size()) {}
  // At least kBlockBytes fit after this: a whole block (less than 64 * 27 bits, twice
  // that with stuffing), or any one token.
  static constexpr std::size_t kBlockBytes = 512;
  void Reserve() {
    if (pos_ + kBlockBytes > capacity_) Regrow();
  }
  void Put(std::uint32_t bits, int count) {
    accumulator_ = (accumulator_ << count) | bits;
    pending_ += count;
    if (pending_ >= 32) Flush32();
  }
  // Pads the last byte with one bits and hands the position back to the sink.
  void Finish();

 private:
  void Flush32() {
    pending_ -= 32;
    const std::uint32_t word = static_cast<std::uint32_t>(accumulator_ >> pending_);
    // A 0xFF byte in the word means stuffing; the common case is none.
    const std::uint32_t inverted = ~word;
    if (((inverted - 0x01010101u) & ~inverted & 0x80808080u) == 0) {
      const std::uint32_t bigEndian = __builtin_bswap32(word);
      std::memcpy(data_ + pos_, &bigEndian, 4);
      pos_ += 4;
    } else {
      for (int shift = 24; shift >= 0; shift -= 8) StuffedByte(word >> shift);
    }
  }
  void StuffedByte(std::uint32_t value) {
    const std::uint8_t b = static_cast<std::uint8_t>(value);
    data_[pos_++] = b;
    if (b == 0xFF) data_[pos_++] = 0;
  }
  void Regrow();

  ByteSink& sink_;
  std::uint8_t* data_ = nullptr;
  std::size_t pos_;
  std::size_t capacity_ = 0;
  std::uint64_t accumulator_ = 0;
  int pending_ = 0;
};

}  // namespace miravela::jpeg
