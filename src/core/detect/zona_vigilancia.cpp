#include "detect/zona_vigilancia.h"

#include <QFile>
#include <cmath>

#include "base/folders.h"
#include "base/numbers.h"
#include "base/paleta.h"
#include "base/text_codec.h"

namespace miravela {

namespace {

constexpr int kColumnaInicio = 80, kFilaInicio = 50;
constexpr int kRegistroZona = 8;

// Band k (1-based) covers (inicio + 285 (k - 1), inicio + 285 k], the first one
// including its start; positions outside all bands give 0.
int Banda(double v, int inicio, int bandas) {
  if (v < inicio || v > inicio + kPasoCelda * bandas) return 0;
  const int banda = static_cast<int>(std::ceil((v - inicio) / kPasoCelda));
  return banda < 1 ? 1 : banda;
}

QString CifraZona(int celdas) { return QString::number(RoundHalfEven(celdas * 100.0 / kCeldas)) + QLatin1Char('%'); }

void PonerEntero16(QByteArray& bytes, std::int16_t v) {
  const auto u = static_cast<std::uint16_t>(v);
  bytes.append(static_cast<char>(u & 0xFF));
  bytes.append(static_cast<char>(u >> 8));
}

std::int16_t LeerEntero16(const QByteArray& bytes, qsizetype at) {
  if (at + 1 >= bytes.size()) return 0;
  const auto lo = static_cast<std::uint8_t>(bytes[at]), hi = static_cast<std::uint8_t>(bytes[at + 1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

QByteArray Rellenado(QByteArray bytes) {
  bytes.append(QByteArray(kLongitudAlarmaCelda - bytes.size(), ' '));
  return bytes;
}

// Byte-order marks before a name are not part of it (the decoder drops only the first),
// so they go with the blanks around them.
QString NombreDeRegistro(const QByteArray& registro) {
  const QString texto = DecodeText(registro);
  qsizetype inicio = 0;
  while (inicio < texto.size() && (texto[inicio] == QLatin1Char(' ') || texto[inicio] == QChar(0xFEFF))) ++inicio;
  return QuitarBlancos(texto.mid(inicio));
}

// The longest start of `nombre` whose UTF-8 fits a record, never splitting a character.
QByteArray Utf8Recortado(const QString& nombre) {
  QByteArray bytes;
  for (qsizetype i = 0; i < nombre.size();) {
    const qsizetype largo = nombre[i].isHighSurrogate() && i + 1 < nombre.size() ? 2 : 1;
    const QByteArray caracter = nombre.mid(i, largo).toUtf8();
    if (bytes.size() + caracter.size() > kLongitudAlarmaCelda) break;
    bytes += caracter;
    i += largo;
  }
  return bytes;
}

// An alarm name as its 255-byte record: Windows-1252 when it fits that code page and
// reads back as itself, otherwise UTF-8 (readers accept both), cut to whole characters
// and blank-padded.
QByteArray RegistroAlarma(const QString& nombre) {
  if (const auto cp = EncodeCp1252(nombre)) {
    QByteArray registro = Rellenado(cp->left(kLongitudAlarmaCelda));
    // Some Windows-1252 texts are also valid UTF-8 and would read back as other letters.
    if (NombreDeRegistro(registro) == QuitarBlancos(nombre.left(kLongitudAlarmaCelda))) return registro;
  }
  return Rellenado(Utf8Recortado(nombre));
}

// Writes over the start of the file without cutting it, as fixed-length record
// files are written; a read-only file is made writable first.
void EscribirRegistrosFijos(const QString& archivo, const QByteArray& bytes) {
  LimpiarAtributos(archivo);
  QFile file(archivo);
  if (!file.open(QIODevice::ReadWrite)) return;
  file.write(bytes);
}

QByteArray LeerArchivo(const QString& archivo) {
  QFile file(archivo);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

QString AlarmaQueCabe(const QString& nombre) { return NombreDeRegistro(RegistroAlarma(nombre)); }

QString QuitarBlancos(const QString& text) {
  qsizetype inicio = 0, fin = text.size();
  while (inicio < fin && text[inicio] == QLatin1Char(' ')) ++inicio;
  while (fin > inicio && text[fin - 1] == QLatin1Char(' ')) --fin;
  return text.mid(inicio, fin - inicio);
}

int ColumnaZona(double x) { return Banda(x, kColumnaInicio, kColumnasZona); }
int FilaZona(double y) { return Banda(y, kFilaInicio, kFilasZona); }

ZonaVigilancia::ZonaVigilancia(EntornoZona entorno) : e_(std::move(entorno)) {
  for (int n = 0; n <= kCeldas; ++n) {
    etiquetas_[Indice(n)].Visible = false;
    alarmas_[Indice(n)] = kSinAlarma;
  }
}

QString ZonaVigilancia::Archivo(const char* nombre) const {
  return e_.carpetaRecursos + QLatin1Char('/') + QLatin1String(nombre);
}

bool ZonaVigilancia::PuntoEnZona(double x, double y) { return PuntoEnBandas(ColumnaZona(x), FilaZona(y)); }

bool ZonaVigilancia::PuntoEnBandas(int columna, int fila) {
  if (!CeldaDeBandasEnZona(columna, fila)) return false;
  const int n = kColumnasZona * (fila - 1) + columna;
  celdaActual_ = static_cast<std::uint8_t>(n);
  return true;
}

bool ZonaVigilancia::CeldaDeBandasEnZona(int columna, int fila) const {
  if (celdas_ == 0 || columna == 0 || fila == 0) return false;
  return zona_[Indice(kColumnasZona * (fila - 1) + columna)].EnZona();
}

void ZonaVigilancia::ActivarZona() {
  if (Activa())
    Apagar();
  else
    Encender();
}

void ZonaVigilancia::Encender() {
  if (!grillaCreada_) {
    CargarZona();
    CargarAlarmasZona();
    CrearGrilla();
  } else {
    for (int n = 1; n <= kCeldas; ++n) {
      formas_[Indice(n)].Visible = true;
      etiquetas_[Indice(n)].Visible = true;
    }
  }
  e_.boton.Appearance = 1;
  e_.boton.BackColor = kColorReposo;
  MostrarCifra();
}

void ZonaVigilancia::CrearGrilla() {
  const auto redondear = [](double v) { return static_cast<int>(RoundHalfEven(v)); };
  const int filas = std::min(redondear(e_.preview.Height() / double(kLadoCelda)), kFilasZona);
  const int columnas = std::min(redondear(e_.preview.Width() / double(kLadoCelda)), kColumnasZona);
  int n = 1;
  for (int r = 0; r < filas; ++r) {
    for (int c = 0; c < columnas; ++c, ++n) {
      FormaCelda& forma = formas_[Indice(n)];
      Control& etiqueta = etiquetas_[Indice(n)];
      forma.Top = etiqueta.Top = r * kLadoCelda - r * 15 + 70;
      forma.Left = etiqueta.Left = c * kLadoCelda - c * 15 + 100;
      etiqueta.Width = etiqueta.Height = kLadoCelda;
      etiqueta.ToolTipText = QLatin1Char(' ') + QuitarBlancos(alarmas_[Indice(n)]) + QLatin1Char(' ');
      // Cells read from the file are drawn as zone cells from the start, so that the
      // drawn look, which clicks and clearing go by, always agrees with the zone.
      if (zona_[Indice(n)].EnZona()) AplicarAspectoZona(n);
      forma.Visible = etiqueta.Visible = true;
    }
  }
  grillaCreada_ = true;
}

void ZonaVigilancia::Apagar() {
  if (e_.seguimientoActivo() && e_.autoajuste.Activo()) e_.autoajuste.Detener();
  for (int n = 1; n <= kCeldas; ++n) {
    formas_[Indice(n)].Visible = false;
    etiquetas_[Indice(n)].Visible = false;
  }
  e_.boton.Appearance = 0;
  e_.boton.BackColor = kColorReposo;
  e_.etiqueta.Appearance = 0;
  e_.etiqueta.BackColor = kEtiquetaZonaInactiva;
  e_.etiqueta.Caption = QStringLiteral("100%");
}

void ZonaVigilancia::MostrarCifra() {
  e_.etiqueta.Appearance = 1;
  e_.etiqueta.BackColor = kEtiquetaZonaActiva;
  e_.etiqueta.Caption = CifraZona(celdas_);
}

void ZonaVigilancia::AplicarAspectoZona(int n) {
  formas_[Indice(n)].BorderStyle = 1;
  formas_[Indice(n)].FillStyle = 5;
}

void ZonaVigilancia::LblCelda_Click(int n) {
  if (!IndiceValido(n) || !etiquetas_[Indice(n)].Visible) return;  // hidden cells take no clicks
  FormaCelda& forma = formas_[Indice(n)];
  Control& etiqueta = etiquetas_[Indice(n)];
  if (!forma.EnZona()) {
    const QString alarma = AlarmaQueCabe(e_.alarmaElegida());
    etiqueta.ToolTipText = QLatin1Char(' ') + alarma + QLatin1Char(' ');
    AplicarAspectoZona(n);
    zona_[Indice(n)] = {static_cast<std::int16_t>(forma.Left), static_cast<std::int16_t>(forma.Top),
                        static_cast<std::int16_t>(forma.Left + kLadoCelda),
                        static_cast<std::int16_t>(forma.Top + kLadoCelda)};
    alarmas_[Indice(n)] = alarma;
    if (celdas_ < kCeldas) ++celdas_;
  } else {
    etiqueta.ToolTipText = QLatin1Char(' ') + kSinAlarma + QLatin1Char(' ');
    forma.BorderStyle = 0;
    forma.FillStyle = 1;
    zona_[Indice(n)] = {};
    alarmas_[Indice(n)] = kSinAlarma;
    if (celdas_ > 0) --celdas_;
  }
  e_.etiqueta.Caption = CifraZona(celdas_);
}

void ZonaVigilancia::LblCelda_MouseMove() {
  if (!Activa() || celdas_ == 0) return;
  for (int n = 1; n <= kCeldas; ++n) {
    if (!zona_[Indice(n)].EnZona()) continue;
    AplicarAspectoZona(n);
    formas_[Indice(n)].Visible = true;
  }
}

void ZonaVigilancia::OcultarSuperposicion() {
  if (celdas_ == 0 || !Activa()) return;
  for (int n = 1; n <= kCeldas; ++n)
    if (zona_[Indice(n)].EnZona()) formas_[Indice(n)].Visible = false;
}

void ZonaVigilancia::ImgLimpiarZona_Click() {
  if (!e_.camaraConectada() || !Activa()) return;
  const RespuestaMensaje respuesta = e_.mensajes.Show(
      QStringLiteral("¿Desea realmente limpiar la zona de vigilancia actual?"),
      QStringLiteral("Miravela - Limpiar Zona"), IconoMensaje::Pregunta, BotonesMensaje::SiNo, RespuestaMensaje::No);
  if (respuesta != RespuestaMensaje::Si) return;
  for (int n = 1; n <= kCeldas; ++n)
    if (formas_[Indice(n)].BorderStyle == 1) LblCelda_Click(n);
}

void ZonaVigilancia::ImgLimpiarZona_MouseMove(Control& lblAyuda) const {
  lblAyuda.ForeColor = 255;
  lblAyuda.Caption = kAyudaLimpiarZona;
}

void ZonaVigilancia::CargarZona() {
  zona_.fill(CeldaZona{});
  celdas_ = 0;
  const QString archivo = Archivo("Miravela.ZNA");
  if (!Existe(archivo)) return;
  const QByteArray bytes = LeerArchivo(archivo);
  for (int n = 1; n <= kCeldas; ++n) {
    const qsizetype at = static_cast<qsizetype>(n - 1) * kRegistroZona;
    CeldaZona& celda = zona_[Indice(n)];
    celda = {LeerEntero16(bytes, at), LeerEntero16(bytes, at + 2), LeerEntero16(bytes, at + 4),
             LeerEntero16(bytes, at + 6)};
    if (celda.EnZona() && celdas_ < kCeldas) ++celdas_;
  }
}

void ZonaVigilancia::CargarAlarmasZona() {
  const QString archivo = Archivo("Miravela.ALZ");
  if (!Existe(archivo)) {
    for (int n = 1; n <= kCeldas; ++n) alarmas_[Indice(n)] = kSinAlarma;
    GuardarAlarmasZonaEn(archivo);
    return;
  }
  const QByteArray bytes = LeerArchivo(archivo);
  for (int n = 1; n <= kCeldas; ++n) {
    const qsizetype at = static_cast<qsizetype>(n - 1) * kLongitudAlarmaCelda;
    // A file cut short leaves the missing cells without an alarm.
    alarmas_[Indice(n)] = at < bytes.size() ? NombreDeRegistro(bytes.mid(at, kLongitudAlarmaCelda)) : kSinAlarma;
  }
}

void ZonaVigilancia::GuardarZona() const {
  if (!grillaCreada_) return;
  QByteArray bytes;
  for (int n = 1; n <= kCeldas; ++n) {
    const CeldaZona& celda = zona_[Indice(n)];
    for (std::int16_t v : {celda.Izquierda, celda.Arriba, celda.Derecha, celda.Abajo}) PonerEntero16(bytes, v);
  }
  EscribirRegistrosFijos(Archivo("Miravela.ZNA"), bytes);
}

void ZonaVigilancia::GuardarAlarmasZona() const {
  if (!grillaCreada_) return;
  GuardarAlarmasZonaEn(Archivo("Miravela.ALZ"));
}

void ZonaVigilancia::GuardarAlarmasZonaEn(const QString& archivo) const {
  QByteArray bytes;
  for (int n = 1; n <= kCeldas; ++n) bytes.append(RegistroAlarma(alarmas_[Indice(n)]));
  EscribirRegistrosFijos(archivo, bytes);
}

}  // namespace miravela
