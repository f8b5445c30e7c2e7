#include "panel/button_bar.h"

namespace miravela {
namespace {

struct Ayuda {
  const char* apagado;
  const char* encendido;  // null: the same text in both states
};

// UTF-8 texts of the help line, one row per button.
constexpr std::array<Ayuda, ButtonBar::kBotones> kAyudas = {{
    {"Conectar Cámara Web", "Desconectar Cámara Web"},
    {"Abrir Carpeta de Imágenes", nullptr},
    {"Configurar Cámara Web", nullptr},
    {"Activar Alarma", nullptr},
    {"Desactivar Alarma", nullptr},
    {"Activar Programador de Tareas", "Desactivar Programador de Tareas"},
    {"Activar Aviso por E-MAIL", "Desactivar Aviso por E-MAIL"},
    {"Activar Zona de Vigilancia", "Desactivar Zona de Vigilancia"},
    {"Cámara Web C1", nullptr},
    {"Cámara Web C2", nullptr},
    {"Cámara Web C3", nullptr},
    {"Cámara Web C4", nullptr},
    {"Cámara Web C5", nullptr},
    {"Guardar Imágenes en la Nube", nullptr},
    {"Activar Efectos de Sonido", "Desactivar Efectos de Sonido"},
    {"Activar Seguimiento de Objetos", "Desactivar Seguimiento de Objetos"},
}};

}  // namespace

ButtonBar::ButtonBar() {
  for (auto& boton : PctBoton) boton.BackColor = kColorReposo;
  PctBoton[kBotonCamara].Tag = "0";                  // UltimoBoton lives in button 0's tag
  PctBoton[kBotonDesactivarAlarma].Visible = false;  // the alarm starts disarmed: button 3 shown, 4 hidden
  for (int i = 8; i <= 12; ++i) PctBoton[static_cast<std::size_t>(i)].Visible = false;
  for (int i = 0; i < kEtiquetas; ++i) LblBoton[static_cast<std::size_t>(i)].Caption = QStringLiteral("C%1").arg(i + 1);
  LblFondo2.Caption = TextoCredito();
  LblAyuda.ForeColor = kAyudaReposo;
  LblAyuda.Caption = TextoAyudaReposo();
}

QString ButtonBar::TextoAyudaReposo() { return QStringLiteral("m i r a v e l a . o r g"); }
QString ButtonBar::TextoCredito() { return QString::fromUtf8("Miravela · vigilancia con cámara Web"); }

void ButtonBar::SetAction(int index, Hook<void()> action) {
  actions_.at(static_cast<std::size_t>(index)) = std::move(action);
}

void ButtonBar::PctBoton_Click(int index) {
  if (index < 0 || index >= kBotones) return;
  if (auto& action = actions_[static_cast<std::size_t>(index)]) action();
}

void ButtonBar::PctBoton_MouseDown(int index) {
  PctBoton.at(static_cast<std::size_t>(index)).BackColor = kColorPulsado;
}
void ButtonBar::PctBoton_MouseUp(int index) {
  PctBoton.at(static_cast<std::size_t>(index)).BackColor = kColorResaltado;
}

int ButtonBar::UltimoBoton() const { return PctBoton[kBotonCamara].Tag.toInt(); }

void ButtonBar::SetPulsado(int index, bool on) {
  auto& boton = PctBoton.at(static_cast<std::size_t>(index));
  boton.Appearance = on ? 1 : 0;
  boton.BackColor = kColorReposo;
}

QString ButtonBar::TextoAyuda(int index) const {
  const Ayuda& ayuda = kAyudas[static_cast<std::size_t>(index)];
  const bool on = index == 0 ? CamaraConectada() : Pulsado(index);
  return QString::fromUtf8(on && ayuda.encendido ? ayuda.encendido : ayuda.apagado);
}

void ButtonBar::PctBoton_MouseMove(int index) {
  if (index < 0 || index >= kBotones) return;
  const int ultimo = UltimoBoton();
  auto& boton = PctBoton[static_cast<std::size_t>(index)];
  if (ultimo != index) {
    PctBoton[static_cast<std::size_t>(ultimo)].BackColor = kColorReposo;
  } else if (boton.BackColor == kColorReposo) {
    boton.BackColor = kColorResaltado;
    LblAyuda.ForeColor = kAyudaActiva;
    LblAyuda.Caption = TextoAyuda(index);
  }
  PctBoton[kBotonCamara].Tag = QString::number(index);
  if (index == kBotonZona && Pulsado(kBotonZona)) MostrarZona();
}

void ButtonBar::EsconderBotones() {
  if (AlEsconder) AlEsconder();
  auto& ultimo = PctBoton[static_cast<std::size_t>(UltimoBoton())];
  if (ultimo.BackColor == kColorResaltado) ultimo.BackColor = kColorReposo;
  LblAyuda.ForeColor = kAyudaReposo;
  LblAyuda.Caption = TextoAyudaReposo();
  LblFondo2.Caption = TextoCredito();
}

}  // namespace miravela
