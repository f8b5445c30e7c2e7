#include "sensors/panel_sensores.h"

#include "sensors/botonera.h"

namespace miravela {

namespace {

struct Diseno {
  int min, max, paso, valor;
};
// Ranges, steps (small and large alike) and design values of sliders 0..6.
constexpr std::array<Diseno, PanelSensores::kSensores> kDiseno = {{
    {0, 50, 1, 45},          // Movimiento
    {0, 50, 1, 35},          // Color
    {-500, 5000, 500, 500},  // Frecuencia
    {1, 4, 1, 2},            // screen-capturer resolution
    {0, 50, 10, 30},         // Densidad
    {1, 5, 1, 1},            // zoom
    {10, 50, 10, 30},        // night-vision level
}};

constexpr std::array<Resolucion, 4> kResoluciones = {
    {{324, 244, "320"}, {644, 484, "640"}, {1284, 724, "720"}, {1924, 1084, "1080"}}};

QString Porcentaje(int valor) { return QString::number(valor + 50) + QLatin1Char('%'); }

}  // namespace

const Resolucion* ResolucionDeValor(int valor) {
  if (valor < 1 || valor > 4) return nullptr;
  return &kResoluciones[static_cast<std::size_t>(valor - 1)];
}

int ValorDeAnchoEscaner(int ancho) {
  for (std::size_t i = 0; i < kResoluciones.size(); ++i)
    if (kResoluciones[i].ancho == ancho) return static_cast<int>(i) + 1;
  return 0;
}

AjusteFrecuencia FrecuenciaDeValor(int valor, const QLocale& locale) {
  if (valor == -500) return {100, QStringLiteral("SIN FOTOS")};
  if (valor == 0) return {300, QStringLiteral("VARIABLE")};
  return {valor, locale.toString(valor / 1000.0, 'f', 1) + QStringLiteral(" seg")};
}

PanelSensores::PanelSensores(SalidasPanel salidas) : s_(std::move(salidas)) {
  FraSensor.Caption = QStringLiteral("SENSORES     ");
  for (std::size_t i = 0; i < kDiseno.size(); ++i) {
    ScrollBar& hsb = HsbSensor[i];
    hsb.Min = kDiseno[i].min;
    hsb.Max = kDiseno[i].max;
    hsb.SmallChange = hsb.LargeChange = kDiseno[i].paso;
    hsb.Value = kDiseno[i].valor;
  }
  const std::array<const char*, kEtiquetas> disenoEtiquetas = {"Movimiento", "95%",      "Color", "85%", "Frecuencia",
                                                               "0,5 seg",    "Enfoque",  "100%",  "",    "640",
                                                               "Zona",       "Densidad", "80%",   "1x"};
  for (std::size_t i = 0; i < disenoEtiquetas.size(); ++i) LblSensor[i].Caption = QString::fromUtf8(disenoEtiquetas[i]);
  LblSensor[8].BackColor = Rgb(192, 192, 255);
  LblSensor[8].Tag = QString::number(Rgb(192, 192, 255));
  // The resolution slider and its label show only while the screen capturer runs.
  HsbSensor[kResolucion].Visible = false;
  LblSensor[9].Visible = false;
}

void PanelSensores::HsbSensor_Change(int index) { Manejar(index); }
void PanelSensores::HsbSensor_Scroll(int index) { Manejar(index); }

void PanelSensores::Mover(int index, int value) {
  if (index < 0 || index >= kSensores || !Slider(index).EnRango(value)) return;
  Slider(index).Value = value;
  HsbSensor_Scroll(index);
}

bool PanelSensores::FijarValor(int index, int value) {
  if (index < 0 || index >= kSensores || !Slider(index).EnRango(value)) return false;
  if (Slider(index).Value == value) return true;
  Slider(index).Value = value;
  HsbSensor_Change(index);
  return true;
}

void PanelSensores::FraSensor_MouseMove() {
  if (EsconderBotones) EsconderBotones();
}

void PanelSensores::Manejar(int index) {
  switch (index) {
    case kMovimiento:
      Etiqueta(1).Caption = Porcentaje(Valor(kMovimiento));
      break;
    case kColor:
      Etiqueta(3).Caption = Porcentaje(Valor(kColor));
      break;
    case kFrecuencia:
      Frecuencia();
      break;
    case kResolucion:
      ResolucionEscaner();
      break;
    case kDensidad:
      Densidad();
      break;
    case kZoom:
      Zoom();
      break;
    case kNivelNoche:
      NivelNoche();
      break;
    default:
      break;  // an index of 7 or more has no slider
  }
}

void PanelSensores::Ayuda(const char* texto) {
  s_.lblAyuda.ForeColor = kAyudaActiva;
  s_.lblAyuda.Caption = QString::fromUtf8(texto);
}

void PanelSensores::Frecuencia() {
  ScrollBar& hsb = Slider(kFrecuencia);
  hsb.Value = CortarA(hsb.Value, 100);
  const AjusteFrecuencia f = FrecuenciaDeValor(hsb.Value, s_.locale);
  // A timer refuses a negative interval: -100 to -400 keep the pace the loop has, which
  // it then adapts itself as for "VARIABLE" (any value below 1 does).
  if (f.intervaloMs > 0) s_.tmrReloj.SetInterval(f.intervaloMs);
  Etiqueta(5).Caption = f.etiqueta;
}

void PanelSensores::ResolucionEscaner() {
  Ayuda("Cambiar Resolución Escaner");
  if (const Resolucion* r = ResolucionDeValor(Valor(kResolucion))) {
    AnchoEscaner = r->ancho;
    AltoEscaner = r->alto;
    Etiqueta(9).Caption = QString::fromLatin1(r->etiqueta);
  }
  s_.picture4.SetSizePixels(AnchoEscaner, AltoEscaner);
  if (ResolucionCambiada) ResolucionCambiada();
}

void PanelSensores::Densidad() {
  ScrollBar& hsb = Slider(kDensidad);
  hsb.Value = CortarA(hsb.Value, 10);
  Etiqueta(12).Caption = Porcentaje(hsb.Value);
  const std::int32_t zoomExtra = s_.parametros.ZoomExtra;
  s_.parametros = ParametrosDensidad(hsb.Value, s_.parametros);
  s_.parametros.ZoomExtra = zoomExtra;
}

void PanelSensores::Zoom() {
  Ayuda("Ajustar Zoom Digital");
  const int nivel = Valor(kZoom);
  if (ZoomExtraDeNivel(nivel, s_.parametros.ZoomExtra))
    Etiqueta(13).Caption = QString::number(nivel) + QLatin1Char('x');
}

void PanelSensores::NivelNoche() {
  Ayuda("Ajustar Visión Nocturna");
  const int nivel = Valor(kNivelNoche);
  s_.cmdNoche.Caption = QStringLiteral("NOCHE +") + QString::number(nivel / 10);
  DivisorNoche = static_cast<std::uint8_t>(60 - nivel);
}

}  // namespace miravela
