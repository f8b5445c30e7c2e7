#include "schedule/form2.h"

#include <algorithm>

#include "base/numbers.h"

namespace miravela {

namespace {

QStringList DosCifras(int cuantas) {
  QStringList out;
  for (int i = 0; i < cuantas; ++i) out << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
  return out;
}

}  // namespace

Form2::Form2(const Programacion& programacion, Hook<void(const QString&)> mostrarAyuda, Beeper& beeper)
    : base_(programacion), mostrarAyuda_(std::move(mostrarAyuda)), beeper_(beeper) {
  Caption = QStringLiteral("Miravela  -  Programador de Tareas");
  const char* etiquetas[] = {"Cámara Web ", "Escaner ", "Noche "};
  for (int k = 0; k < kFuncionesProgramadas; ++k) ChkFuncion[k].Caption = QString::fromUtf8(etiquetas[k]);
  for (std::size_t i = 0; i < CboHora.size(); ++i) CboHora[i].List = DosCifras(i % 2 == 0 ? 24 : 60);
  LblStorage.Caption = QString::fromUtf8("Días Almacenamiento ");
  TxtStorage.MaxLength = 4;
  Aceptar.Caption = QStringLiteral("ACEPTAR  ");
  Cancelar.Caption = QStringLiteral("CANCELAR  ");

  const auto encendido = Programacion::DefectoEncendido();
  const auto apagado = Programacion::DefectoApagado();
  for (int k = 0; k < kFuncionesProgramadas; ++k) {
    const QString on = HoraProgramada(programacion.HoraEncendido[k]) ? programacion.HoraEncendido[k] : encendido[k];
    const QString off = HoraProgramada(programacion.HoraApagado[k]) ? programacion.HoraApagado[k] : apagado[k];
    CboHora[4 * k].SetText(on.left(2));
    CboHora[4 * k + 1].SetText(on.right(2));
    CboHora[4 * k + 2].SetText(off.left(2));
    CboHora[4 * k + 3].SetText(off.right(2));
    ColorearListas(k, false);
  }
  TxtStorage.Text = QString::number(programacion.DiasGuardar).left(TxtStorage.MaxLength);
  // Checking a box colours its lists, as a click does; checking the screen capturer
  // after the camera leaves only one of the two, as the dialog always allows.
  for (int k = 0; k < kFuncionesProgramadas; ++k) {
    if (!programacion.FuncionActiva[k]) continue;
    ChkFuncion[k].Value = 1;
    ChkFuncion_Click(k);
  }
}

void Form2::ColorearListas(int k, bool activa) {
  for (int j = 0; j < 4; ++j) {
    ComboBox& lista = CboHora[4 * k + j];
    lista.Enabled = activa;
    lista.BackColor = !activa ? kListaInactiva : j < 2 ? kListaEncendido : kListaApagado;
  }
}

void Form2::ChkFuncion_Click(int k) {
  const bool marcada = ChkFuncion[k].Value == 1;
  ColorearListas(k, marcada);
  if (!marcada || k == kFuncionNoche) return;
  // Camera and screen-capturer scheduling exclude each other.
  const int otra = k == kFuncionCamara ? kFuncionEscaner : kFuncionCamara;
  ChkFuncion[otra].Value = 0;
  ColorearListas(otra, false);
}

QString Form2::AyudaLista(int i) {
  return i % 4 < 2 ? QStringLiteral("Hora de Encendido") : QStringLiteral("Hora de Apagado");
}

void Form2::CboHora_DropDown(int i) { mostrarAyuda_(AyudaLista(i)); }

void Form2::TxtStorage_GotFocus() {
  Foco = &TxtStorage;
  TxtStorage.SelStart = 0;
  TxtStorage.SelLength = static_cast<int>(TxtStorage.Text.size());
}

int Form2::TxtStorage_KeyPress(int keyAscii) {
  if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == kTeclaRetroceso || keyAscii == kTeclaEspacio) return keyAscii;
  if (keyAscii == kTeclaIntro) {
    Foco = &ChkFuncion[kFuncionCamara];
    return 0;
  }
  beeper_.Beep();
  return 0;
}

bool Form2::TxtStorage_Change(const QString& texto) {
  const bool cabe = TxtStorage.MaxLength == 0 || texto.size() <= TxtStorage.MaxLength;
  const bool cifras =
      std::all_of(texto.begin(), texto.end(), [](QChar c) { return (c >= '0' && c <= '9') || c == ' '; });
  if (!cabe || !cifras) {
    beeper_.Beep();
    return false;
  }
  TxtStorage.Text = texto;
  return true;
}

void Form2::Form_KeyPress(int keyAscii) {
  if (keyAscii == kTeclaEscape) Cancelar_Click();
}

Programacion Form2::Valores() const {
  Programacion p = base_;
  for (int k = 0; k < kFuncionesProgramadas; ++k) {
    p.HoraEncendido[k] = CboHora[4 * k].Text() + ':' + CboHora[4 * k + 1].Text();
    p.HoraApagado[k] = CboHora[4 * k + 2].Text() + ':' + CboHora[4 * k + 3].Text();
    p.FuncionActiva[k] = ChkFuncion[k].Value == 1;
  }
  p.DiasGuardar = static_cast<std::int32_t>(LeadingNumber(TxtStorage.Text));
  return p;
}

void Form2::Aceptar_Click() { Cerrar(Cierre::Aceptado); }
void Form2::Cancelar_Click() { Cerrar(Cierre::Cancelado); }
void Form2::Form_Unload() { Cerrar(Cierre::Cancelado); }

void Form2::Cerrar(Cierre como) {
  if (cierre_ == Cierre::Abierto) cierre_ = como;
}

}  // namespace miravela
