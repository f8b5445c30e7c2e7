#include "detect/luz.h"

#include <algorithm>

#include "base/configuracion.h"
#include "base/numbers.h"
#include "detect/comparacion.h"

namespace miravela {

namespace {

// A channel at or above this may have been clipped by the camera.
constexpr std::int32_t kSaturado = 250;
// Below this sum of the three channels a point is mostly sensor noise, and its ratio
// of brightness tells nothing about the light.
constexpr std::int32_t kCasiNegro = 60;

struct Rgb3 {
  std::int32_t c[3];
};

Rgb3 Canales3(std::int64_t color) {
  const auto v = static_cast<std::uint32_t>(color);
  return {{static_cast<std::int32_t>(v & 0xFF), static_cast<std::int32_t>((v >> 8) & 0xFF),
           static_cast<std::int32_t>((v >> 16) & 0xFF)}};
}

bool Saturado(const Rgb3& p) { return p.c[0] >= kSaturado || p.c[1] >= kSaturado || p.c[2] >= kSaturado; }

std::int32_t Brillo(const Rgb3& p) { return p.c[0] + p.c[1] + p.c[2]; }

}  // namespace

std::uint8_t LeerRechazoLuz(const ParesOpcionales& opcionales) {
  return static_cast<std::uint8_t>(opcionales.Entero(kClaveLuz, 0, 100).value_or(kRechazoLuzPredeterminado));
}

bool CambioGlobal(std::int32_t cambiados, std::int32_t comparados, std::uint8_t rechazo) {
  if (rechazo == 0 || comparados <= 0) return false;
  return static_cast<std::int64_t>(cambiados) * 100 > static_cast<std::int64_t>(rechazo) * comparados;
}

double GananciaLuz(const std::vector<ParMuestra>& pares) {
  // The ratios are counted in steps of 1/256 (a gain read to 0.2%, far finer than any
  // colour threshold), so the median needs no sorting.
  constexpr int kEscala = 256;
  constexpr int kMaxima = 765 * kEscala / kCasiNegro + 1;
  std::vector<std::uint32_t> cuenta(kMaxima + 1, 0);
  std::uint32_t total = 0;
  for (const ParMuestra& par : pares) {
    if (par.ahora < 0 || par.antes < 0) continue;
    const Rgb3 a = Canales3(par.ahora), b = Canales3(par.antes);
    if (Saturado(a) || Saturado(b)) continue;
    const std::int32_t brilloAhora = Brillo(a), brilloAntes = Brillo(b);
    if (brilloAhora < kCasiNegro || brilloAntes < kCasiNegro) continue;
    ++cuenta[static_cast<std::size_t>((brilloAhora * kEscala + brilloAntes / 2) / brilloAntes)];
    ++total;
  }
  if (total == 0) return 1.0;
  std::uint32_t visto = 0;
  for (std::size_t razon = 0; razon < cuenta.size(); ++razon) {
    visto += cuenta[razon];
    if (2 * visto > total) return static_cast<double>(razon) / kEscala;
  }
  return 1.0;
}

ComparadorNormalizado::ComparadorNormalizado(double ganancia, std::uint8_t umbral)
    : ganancia16_(static_cast<std::uint32_t>(
          std::clamp(RoundHalfEven(ganancia * 65536.0), std::int64_t{0}, std::int64_t{255} * 65536))),
      umbral_(umbral),
      umbral2_(static_cast<std::int32_t>(umbral) * umbral) {}

Veredicto ComparadorNormalizado::Comparar(std::int64_t ahora, std::int64_t antes) const {
  if (ahora < 0 || antes < 0) return CompararColor(ahora, antes, umbral_) ? Veredicto::Cambio : Veredicto::Igual;
  const Rgb3 a = Canales3(ahora), b = Canales3(antes);
  // A clipped channel only says "at least this bright": the gap between what the two
  // pictures allow is what certainly changed.
  std::int32_t llano = 0, seguro = 0;
  for (int k = 0; k < 3; ++k) {
    const std::int32_t n = std::min<std::int32_t>(
        255, static_cast<std::int32_t>((static_cast<std::uint64_t>(b.c[k]) * ganancia16_ + 32768) >> 16));
    const std::int32_t d = a.c[k] - n;
    const bool techoAhora = a.c[k] >= kSaturado, techoAntes = b.c[k] >= kSaturado;
    std::int32_t hueco = d;
    if (techoAhora && techoAntes)
      hueco = 0;
    else if (techoAhora)
      hueco = std::max(0, d);
    else if (techoAntes)
      hueco = std::min(0, d);
    llano += d * d;
    seguro += hueco * hueco;
  }
  if (seguro > umbral2_) return Veredicto::Cambio;
  return llano > umbral2_ ? Veredicto::Incierto : Veredicto::Igual;
}

}  // namespace miravela
