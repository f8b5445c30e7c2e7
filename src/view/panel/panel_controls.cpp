#include "view/panel/panel_controls.h"

#include "view/panel/panel_icons.h"
#include "view/panel/panel_widgets.h"
#include "view/sensors/mode_button.h"

namespace miravela {

PanelControls::PanelControls(ModelosPanel modelos, QWidget* window, QWidget* preview) : m_(std::move(modelos)) {
  Control& ayudaLinea = m_.botones.LblAyuda;
  Suspension& s = m_.suspension;
  ModoVentana& v = m_.ventana;
  auto avisar = [this] {
    if (m_.cambiado) m_.cambiado();
  };

  suspender = new ModeButton(
      s.CmdSuspender, "CmdSuspender", [&s] { s.CmdSuspender_Click(); },
      [&s, &ayudaLinea] { s.CmdSuspender_MouseMove(ayudaLinea); }, window);
  ventana = new ModeButton(
      v.CmdVentana, "CmdVentana", [&v] { v.CmdVentana_Click(); },
      [&v, &ayudaLinea] { v.CmdVentana_MouseMove(ayudaLinea); }, window);
  ventana->setFixedWidth(28);
  for (ModeButton* b : {suspender, ventana}) b->Cambiado = avisar;

  limpiarZona =
      new PictureButton(kIconoLimpiarZona, "ImgLimpiarZona", {m_.limpiarZona, m_.moverLimpiarZona, avisar}, window);
  invertirAlarma =
      new PictureButton(kIconoAlarmaInversa, "ImgReverse", {m_.invertirAlarma, m_.moverInvertirAlarma, avisar}, window);
  lblReverse = new QLabel(QStringLiteral("INV"), window);
  lblReverse->setObjectName("LblReverse");
  lblReverse->setAlignment(Qt::AlignCenter);
  lblReverse->setStyleSheet(QStringLiteral(
      "QLabel { color: white; background: #d03030; font-weight: bold; font-size: 9px; border-radius: 2px; }"));
  lblReverse->setFixedSize(22, 12);

  lectura = new ReadoutBox(
      m_.txtSensor, [this] { m_.botones.EsconderBotones(); }, window);
  ayuda = new LinkLabel(ayudaLinea, "LblAyuda", {[&v] { v.LblAyuda_Click(); }, {}, avisar}, window);
  ayuda->setAlignment(Qt::AlignCenter);
  ayudaCam = new LinkLabel(v.LblAyudaCam, "LblAyudaCam", {[&v] { v.LblAyudaCam_Click(); }, {}, avisar}, window);
  QFont subrayado = ayudaCam->font();
  subrayado.setUnderline(true);
  ayudaCam->setFont(subrayado);
  credito = new QLabel(window);
  credito->setObjectName("LblFondo2");
  credito->setStyleSheet(QStringLiteral("QLabel { color: #607060; font-size: 10px; background: transparent; }"));

  grabando = new RecordingLight(m_.imgRec, preview);
  grabando->move(preview->width() - grabando->width() - 4, 4);
  banner = new SuspensionBanner(s.LblFondo3, preview);
  banner->setGeometry(preview->width() / 2 - 90, preview->height() / 2 - 32, 180, 64);
  Refresh();
}

void PanelControls::Refresh() {
  suspender->Refresh();
  ventana->Refresh();
  const bool zona = m_.zonaActiva && m_.zonaActiva();
  limpiarZona->Refresh(true, zona);
  invertirAlarma->Refresh(true, m_.lblReverse.Visible);
  lblReverse->setVisible(m_.lblReverse.Visible);
  grabando->Refresh();
  if (grabando->isVisible()) grabando->raise();
  lectura->Refresh();
  ayuda->Refresh();
  ayudaCam->Refresh();
  credito->setText(m_.botones.LblFondo2.Caption);
  banner->Refresh();
}

}  // namespace miravela
