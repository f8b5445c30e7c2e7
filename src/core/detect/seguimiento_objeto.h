#pragma once
// Object tracking: looks for one colour, picked on the preview, over a fixed 80 x 60
// grid of the current frame, marks where it is and reports the matched share.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "base/autoajuste.h"
#include "base/control.h"
#include "base/hook.h"
#include "base/picture_box.h"

namespace miravela {

class ZonaVigilancia;

inline const QString kAyudaInvertirAlarma = QStringLiteral("Invertir Alarma de Seguimiento");
inline constexpr Color kMuestraReposo = 0xFFC0C0;  // the swatch while tracking is off
inline constexpr Color kVerde = 0x00FF00;
inline constexpr Color kRojo = 0x0000FF;
inline constexpr int kPuntosSeguimiento = 4800;  // 80 x 60
inline constexpr int kPunteroSeguimiento = 99;   // the custom pointer over the preview

struct EntornoSeguimiento {
  PictureBox& preview;
  ZonaVigilancia& zona;
  Control& boton;                           // the tracking button; pressed = tracking on
  Control& muestra;                         // the swatch of the tracked colour; its tag keeps the colour
  std::array<Control*, 4> etiquetasSensor;  // Movimiento and Color with their values
  Hook<void(bool)> habilitarSensores;       // the Movimiento and Color sliders
  Autoajuste& autoajuste;
};

// The matched share of the grid in percent, two decimals, from the count of matches.
float PorcentajeDePuntos(int puntos);

class SeguimientoObjeto {
 public:
  explicit SeguimientoObjeto(EntornoSeguimiento entorno);

  bool Activo() const { return e_.boton.Appearance != 0; }
  bool AlarmaInversa() const { return LblReverse.Visible; }

  void FijarColorObjeto(std::int64_t color);
  // One pass over the preview; returns PorcentajeObjeto.
  float SeguirObjeto(std::uint8_t tolerancia);
  void Picture1_MouseDown(int button, int shift, double x, double y);
  void ImgReverse_Click();
  void ImgReverse_MouseMove(Control& lblAyuda) const;

  // What the tracking button does: switch on when off, off when on.
  void AlternarSeguimiento();
  void ActivarSeguimiento();
  void DesactivarSeguimiento();

  std::int32_t RojoObjeto = 0, VerdeObjeto = 0, AzulObjeto = 0;
  std::int32_t AnchoBarrido = 4800, AltoBarrido = 3600;  // twips
  Control LblReverse;                                    // visible = reverse alarm on

 private:
  void HabilitarSensores(bool on);
  EntornoSeguimiento e_;
};

}  // namespace miravela
