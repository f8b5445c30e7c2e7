#pragma once
// Mutations of the seeds, the kinds that find faults in readers of small binary and
// text files: flipped bits, bytes and integers at their limits, cut and repeated
// ranges, pieces of other seeds, and the reader's own words put in.
#include <QByteArray>
#include <cstdint>
#include <random>
#include <vector>

namespace miravela::fuzz {

class Mutador {
 public:
  Mutador(std::uint64_t seed, std::vector<QByteArray> semillas, std::vector<QByteArray> palabras, qsizetype maxLen);
  // A seed with one to eight mutations stacked on it, at most maxLen bytes.
  QByteArray Siguiente();

 private:
  qsizetype Posicion(const QByteArray& data, bool incluyendoFin);
  void Mutar(QByteArray& data);
  void EnteroLimite(QByteArray& data);

  std::mt19937_64 rng_;
  std::vector<QByteArray> semillas_;
  std::vector<QByteArray> palabras_;
  qsizetype maxLen_;
};

}  // namespace miravela::fuzz
