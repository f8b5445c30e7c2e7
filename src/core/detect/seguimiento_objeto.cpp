#include "detect/seguimiento_objeto.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/numbers.h"
#include "base/paleta.h"
#include "detect/comparacion.h"
#include "detect/zona_vigilancia.h"

namespace miravela {

namespace {
constexpr int kInicio = 15, kPaso = 60, kAlcanceCruz = 5000;  // twips
}

float PorcentajeDePuntos(int puntos) {
  // puntos x 100 / 4800 in hundredths, halves away from zero as the two-decimal text rounds.
  const std::int64_t centesimas = (static_cast<std::int64_t>(puntos) * 25 * 2 + 12) / 24;
  return static_cast<float>(centesimas) / 100.0f;
}

SeguimientoObjeto::SeguimientoObjeto(EntornoSeguimiento entorno) : e_(std::move(entorno)) {
  LblReverse.Visible = false;
}

void SeguimientoObjeto::FijarColorObjeto(std::int64_t color) {
  const Canales c = SepararColor(color);
  RojoObjeto = static_cast<std::int32_t>(c.rojo);
  VerdeObjeto = static_cast<std::int32_t>(c.verde);
  AzulObjeto = static_cast<std::int32_t>(c.azul);
  e_.muestra.BackColor = Rgb(RojoObjeto & 0xFF, VerdeObjeto & 0xFF, AzulObjeto & 0xFF);
  e_.muestra.Tag = QString::number(e_.muestra.BackColor);
}

float SeguimientoObjeto::SeguirObjeto(std::uint8_t tolerancia) {
  PictureBox& p = e_.preview;
  p.DrawWidth = 1;
  int minX = p.Width(), minY = p.Height(), maxX = -1, maxY = -1, puntos = 0;
  const bool conZona = e_.zona.Activa();
  for (int x = kInicio; x <= AnchoBarrido; x += kPaso) {
    for (int y = kInicio; y <= AltoBarrido; y += kPaso) {
      if (conZona && !e_.zona.PuntoEnZona(x, y)) continue;
      const Canales c = SepararColor(p.Point(x, y));
      if (std::abs(c.rojo - RojoObjeto) > tolerancia || std::abs(c.verde - VerdeObjeto) > tolerancia ||
          std::abs(c.azul - AzulObjeto) > tolerancia)
        continue;
      p.PSet(x, y, kVerde);
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
      ++puntos;
    }
  }
  const float porcentaje = PorcentajeDePuntos(puntos);
  if (maxX != -1 && maxY != -1 && porcentaje > 0.05f) {
    const int cx = minX + (maxX - minX) / 2, cy = minY + (maxY - minY) / 2;
    p.Line(minX - kAlcanceCruz, cy, maxX + kAlcanceCruz, cy, kVerde);
    p.Line(cx, minY - kAlcanceCruz, cx, maxY + kAlcanceCruz, kVerde);
    p.Box(minX, minY, maxX, maxY, kRojo);
  }
  p.DrawWidth = 3;  // the width the change marks of later ticks are drawn with
  return porcentaje;
}

void SeguimientoObjeto::Picture1_MouseDown(int /*button*/, int /*shift*/, double x, double y) {
  if (!Activo()) return;
  const std::int64_t color = e_.preview.Point(x, y);
  if (color == kSinColor) return;  // outside the picture there is no colour to take
  FijarColorObjeto(color);
}

void SeguimientoObjeto::ImgReverse_Click() { LblReverse.Visible = !LblReverse.Visible; }

void SeguimientoObjeto::ImgReverse_MouseMove(Control& lblAyuda) const {
  lblAyuda.ForeColor = 255;
  lblAyuda.Caption = kAyudaInvertirAlarma;
}

void SeguimientoObjeto::AlternarSeguimiento() {
  if (Activo())
    DesactivarSeguimiento();
  else
    ActivarSeguimiento();
}

void SeguimientoObjeto::HabilitarSensores(bool on) {
  for (Control* etiqueta : e_.etiquetasSensor)
    if (etiqueta) etiqueta->Enabled = on;
  e_.habilitarSensores(on);
}

void SeguimientoObjeto::ActivarSeguimiento() {
  if (e_.autoajuste.Activo()) e_.autoajuste.Detener();
  HabilitarSensores(false);
  e_.boton.Appearance = 1;
  e_.boton.BackColor = kColorReposo;
  e_.muestra.Appearance = 1;
  FijarColorObjeto(static_cast<std::int64_t>(LeadingNumber(e_.muestra.Tag)));
  e_.preview.MousePointer = kPunteroSeguimiento;
  AnchoBarrido = e_.preview.Width() - 60;
  AltoBarrido = e_.preview.Height() - 60;
}

void SeguimientoObjeto::DesactivarSeguimiento() {
  e_.boton.Appearance = 0;
  e_.boton.BackColor = kColorReposo;
  e_.muestra.Appearance = 0;
  e_.muestra.BackColor = kMuestraReposo;
  HabilitarSensores(true);
  e_.preview.MousePointer = 0;
}

}  // namespace miravela
