#include "mutador.h"

#include <algorithm>
#include <array>

namespace miravela::fuzz {

Mutador::Mutador(std::uint64_t seed, std::vector<QByteArray> semillas, std::vector<QByteArray> palabras,
                 qsizetype maxLen)
    : rng_(seed),
      semillas_(std::move(semillas)),
      palabras_(std::move(palabras)),
      maxLen_(std::max<qsizetype>(maxLen, 1)) {}

qsizetype Mutador::Posicion(const QByteArray& data, bool incluyendoFin) {
  const qsizetype n = data.size() + (incluyendoFin ? 1 : 0);
  if (n <= 0) return 0;
  return static_cast<qsizetype>(rng_() % static_cast<std::uint64_t>(n));
}

// A 1, 2 or 4-byte little-endian integer at one of its limits, as the records store them.
void Mutador::EnteroLimite(QByteArray& data) {
  static constexpr std::array<std::uint32_t, 12> kLimites = {
      0, 1, 2, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};
  const std::uint32_t v = kLimites[rng_() % kLimites.size()];
  const int ancho = std::array{1, 2, 4}[rng_() % 3];
  const qsizetype at = Posicion(data, true);
  for (int i = 0; i < ancho; ++i) {
    const char b = static_cast<char>((v >> (8 * i)) & 0xFF);
    if (at + i < data.size())
      data[at + i] = b;
    else
      data.append(b);
  }
}

void Mutador::Mutar(QByteArray& data) {
  switch (rng_() % 10) {
    case 0:  // flip a bit
      if (!data.isEmpty()) {
        const qsizetype at = Posicion(data, false);
        data[at] = static_cast<char>(data[at] ^ (1 << (rng_() % 8)));
      }
      break;
    case 1:  // any byte
      if (!data.isEmpty()) data[Posicion(data, false)] = static_cast<char>(rng_() & 0xFF);
      break;
    case 2:
      EnteroLimite(data);
      break;
    case 3: {  // insert random bytes
      QByteArray bytes;
      for (std::uint64_t i = 0, n = 1 + rng_() % 16; i < n; ++i) bytes.append(static_cast<char>(rng_() & 0xFF));
      data.insert(Posicion(data, true), bytes);
      break;
    }
    case 4: {  // delete a range
      const qsizetype at = Posicion(data, false);
      data.remove(at, static_cast<qsizetype>(1 + rng_() % 64));
      break;
    }
    case 5: {  // repeat a range
      const qsizetype at = Posicion(data, false);
      const QByteArray range = data.mid(at, static_cast<qsizetype>(1 + rng_() % 128));
      data.insert(Posicion(data, true), range.repeated(static_cast<qsizetype>(1 + rng_() % 8)));
      break;
    }
    case 6:  // cut the end
      data.truncate(Posicion(data, true));
      break;
    case 7: {  // a piece of another seed
      const QByteArray& other = semillas_[rng_() % semillas_.size()];
      const qsizetype from = Posicion(other, false);
      data.insert(Posicion(data, true), other.mid(from, static_cast<qsizetype>(1 + rng_() % 256)));
      break;
    }
    default:  // one of the reader's words, put in or written over
      if (!palabras_.empty()) {
        const QByteArray& word = palabras_[rng_() % palabras_.size()];
        const qsizetype at = Posicion(data, true);
        if (rng_() % 2)
          data.insert(at, word);
        else
          data.replace(at, word.size(), word);
      }
      break;
  }
}

QByteArray Mutador::Siguiente() {
  QByteArray data = semillas_[rng_() % semillas_.size()];
  for (std::uint64_t i = 0, n = 1 + rng_() % 8; i < n; ++i) Mutar(data);
  if (data.size() > maxLen_) data.truncate(maxLen_);
  return data;
}

}  // namespace miravela::fuzz
