#pragma once
// The capture frame window: a see-through frame over the desktop that marks the
// rectangle the screen capturer watches, with a drag bar and two zoom buttons. Its
// controls are placed in pixels of the window; its own position is in twips.
#include <QRegion>
#include <array>
#include <vector>

#include "base/control.h"
#include "base/model_timer.h"
#include "base/picture_box.h"

namespace miravela {

// A shape control: rectangle (0) or square (1), with or without a transparent background.
struct Forma : Control {
  int Shape = 0;
  bool FondoTransparente = true;
};

// One control as the window region sees it.
struct ElementoRegion {
  enum class Tipo { Control, Forma, Linea };
  Tipo tipo = Tipo::Control;
  QRect rect;  // left, top, width, height in window pixels
  int shape = 0;
  bool transparente = false;
};

// The window's shape: every control's area combined by exclusive-or; a shape with a
// transparent background is hollowed to its 1-pixel outline.
QRegion RegionTransparente(const std::vector<ElementoRegion>& elementos);

// The real window behind the model.
class VentanaMarco {
 public:
  virtual ~VentanaMarco() = default;
  virtual void Mostrar() = 0;
  virtual void Cerrar() = 0;
  // Position, size, shape or captions changed.
  virtual void Actualizar() = 0;
};

inline constexpr int kAltoBarra = 20;  // the drag bar, pixels
inline constexpr int kAnchoBotonZoom = 28;
inline constexpr int kBorde = 3;  // from the window's edge to the watched rectangle
inline constexpr int kPasoZoomTimer = 500;
inline constexpr int kNivelesZoom = 10;

class MarcoCaptura {  // Form4
 public:
  MarcoCaptura(Clock& clock, double twipsPerPixelX, double twipsPerPixelY, PictureBox& picture4, ModelTimer& tmrSleep);

  Control PctScan;                 // drag bar
  Forma ShpScan;                   // the frame outline; its height is the zoom step
  std::array<Control, 2> CmdZoom;  // "+" with the level in its caption, "-" with the base width in its tag
  ModelTimer TmrZoom;

  int Left = 0, Top = 0;  // twips
  int AnchoPx() const { return anchoPx_; }
  int AltoPx() const { return altoPx_; }
  int Width() const;   // twips
  int Height() const;  // twips
  bool Visible = false;
  QRegion Region;  // the window's shape, in window pixels

  // Lays the window out so that the watched rectangle is `ancho` x `alto` pixels.
  void Dimensionar(int ancho, int alto);
  // The watched rectangle inside the frame, in window pixels.
  QRect Interior() const;
  void TransparentWind();

  void Mostrar();
  void Cerrar();
  void Mover(int leftTwips, int topTwips);
  // The window was moved by the user (drag); the model follows.
  void Movida(int leftTwips, int topTwips);

  void CmdZoom_Click(int index);
  void TmrZoom_Timer();
  int NivelZoom() const;

  VentanaMarco* ventana = nullptr;
  double TwipsPerPixelX() const { return tppX_; }
  double TwipsPerPixelY() const { return tppY_; }

 private:
  void Avisar() {
    if (ventana) ventana->Actualizar();
  }
  int anchoPx_ = 0, altoPx_ = 0;
  double tppX_, tppY_;
  PictureBox& picture4_;
  ModelTimer& tmrSleep_;
};

}  // namespace miravela
