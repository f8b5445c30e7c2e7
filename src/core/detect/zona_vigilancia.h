#pragma once
// The surveillance zone: 16 x 12 cells over the preview that the user paints with
// clicks, each carrying the alarm sound it plays; the zone test of a point; and the
// two files that keep the zone and its sounds between runs.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "base/autoajuste.h"
#include "base/control.h"
#include "base/hook.h"
#include "base/picture_box.h"
#include "base/services.h"

namespace miravela {

inline constexpr int kCeldas = 192;
inline constexpr int kColumnasZona = 16;
inline constexpr int kFilasZona = 12;
inline constexpr int kLadoCelda = 300;            // twips
inline constexpr int kPasoCelda = 285;            // neighbouring cells share one pixel
inline constexpr int kLongitudAlarmaCelda = 255;  // bytes of an ALZ record
inline const QString kSinAlarma = QStringLiteral("Sin Alarma");
inline const QString kAyudaLimpiarZona = QStringLiteral("Limpiar Zona de Vigilancia");

// Back colours of the zone figure label.
inline constexpr Color kEtiquetaZonaActiva = 0xC0C0FF;
inline constexpr Color kEtiquetaZonaInactiva = 0xE0E0E0;

struct CeldaZona {
  std::int16_t Izquierda = 0, Arriba = 0, Derecha = 0, Abajo = 0;  // twips of the preview
  bool EnZona() const { return Derecha > 0 && Abajo > 0; }
};

// The drawn look of a cell: border style 1 and fill style 5 (downward diagonal hatch)
// mark a zone cell; border 0 and fill 1 (transparent) a cell outside the zone.
struct FormaCelda {
  int BorderStyle = 0;
  int FillStyle = 1;
  bool Visible = false;
  int Left = 0, Top = 0, Width = kLadoCelda, Height = kLadoCelda;
  bool EnZona() const { return BorderStyle != 0; }
};

// Removes leading and trailing blanks (blanks only, as the files pad with them).
QString QuitarBlancos(const QString& text);
// The alarm name a cell keeps: the name as its record reads back, so a name longer
// than the record holds is cut once, at a whole character, and never changes again.
QString AlarmaQueCabe(const QString& nombre);

// The 1..16 column or 1..12 row band a twip position falls in, 0 for none. Bands are
// 285 twips wide from 80 (columns) and 50 (rows); a boundary belongs to the lower band.
int ColumnaZona(double x);
int FilaZona(double y);

struct EntornoZona {
  Control& boton;     // the zone button; pressed = zone on
  Control& etiqueta;  // the zone figure label
  const PictureBox& preview;
  QString carpetaRecursos;  // where Miravela.ZNA and Miravela.ALZ live
  MessageBoxService& mensajes;
  Autoajuste& autoajuste;
  Hook<QString()> alarmaElegida;   // text of the alarm-sound list
  Hook<bool()> camaraConectada;    // the connect button is pressed
  Hook<bool()> seguimientoActivo;  // the tracking button is pressed
};

class ZonaVigilancia {
 public:
  explicit ZonaVigilancia(EntornoZona entorno);

  bool Activa() const { return e_.boton.Appearance != 0; }

  // True when (x, y) in twips lies in a zone cell; then CeldaActual is that cell.
  bool PuntoEnZona(double x, double y);
  // The same test for a column and row band already worked out, without noting the cell.
  bool CeldaDeBandasEnZona(int columna, int fila) const;
  // PuntoEnZona for bands already worked out (ColumnaZona, FilaZona).
  bool PuntoEnBandas(int columna, int fila);

  void ActivarZona();
  void LblCelda_Click(int n);
  void LblCelda_MouseMove();
  void ImgLimpiarZona_Click();
  void ImgLimpiarZona_MouseMove(Control& lblAyuda) const;
  // Hides the hatched cells again when the pointer leaves them (part of hiding the
  // button highlights).
  void OcultarSuperposicion();

  void CargarZona();
  void CargarAlarmasZona();
  void GuardarZona() const;
  void GuardarAlarmasZona() const;

  const CeldaZona& Zona(int n) const { return zona_[Indice(n)]; }
  const QString& AlarmaCelda(int n) const { return alarmas_[Indice(n)]; }
  std::uint8_t CeldasZona() const { return celdas_; }
  std::uint8_t CeldaActual() const { return celdaActual_; }
  const FormaCelda& ShpCelda(int n) const { return formas_[Indice(n)]; }
  const Control& LblCelda(int n) const { return etiquetas_[Indice(n)]; }
  // The 192 cells have been made since the program started.
  bool GrillaCreada() const { return grillaCreada_; }
  static bool IndiceValido(int n) { return n >= 1 && n <= kCeldas; }

 private:
  static std::size_t Indice(int n) { return static_cast<std::size_t>(IndiceValido(n) ? n : 0); }
  QString Archivo(const char* nombre) const;
  void CrearGrilla();
  void Encender();
  void Apagar();
  void MostrarCifra();
  void GuardarAlarmasZonaEn(const QString& archivo) const;
  void AplicarAspectoZona(int n);

  EntornoZona e_;
  // Index 0 is the unused template, so cell n is element n.
  std::array<CeldaZona, kCeldas + 1> zona_{};
  std::array<QString, kCeldas + 1> alarmas_;
  std::array<FormaCelda, kCeldas + 1> formas_{};
  std::array<Control, kCeldas + 1> etiquetas_{};
  std::uint8_t celdas_ = 0;
  std::uint8_t celdaActual_ = 0;
  bool grillaCreada_ = false;
};

}  // namespace miravela
