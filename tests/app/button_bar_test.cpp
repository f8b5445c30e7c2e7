#include "panel/button_bar.h"

#include <gtest/gtest.h>

namespace miravela {
namespace {

TEST(ButtonBar, ClickRunsThePluggedActionOnly) {
  ButtonBar bar;
  int clicks = 0;
  bar.SetAction(7, [&] { ++clicks; });
  bar.PctBoton_Click(7);
  bar.PctBoton_Click(8);  // no action plugged in
  bar.PctBoton_Click(99);
  EXPECT_EQ(clicks, 1);
}

TEST(ButtonBar, HoverLightsOnTheSecondMoveAndMovesOn) {
  ButtonBar bar;
  bar.PctBoton_MouseMove(3);
  EXPECT_EQ(bar.PctBoton[3].BackColor, kColorReposo);
  bar.PctBoton_MouseMove(3);
  EXPECT_EQ(bar.PctBoton[3].BackColor, kColorResaltado);
  EXPECT_EQ(bar.LblAyuda.Caption, "Activar Alarma");
  EXPECT_EQ(bar.LblAyuda.ForeColor, kAyudaActiva);

  bar.PctBoton_MouseMove(14);  // leaving 3 clears it at once; 14 lights on the next move
  EXPECT_EQ(bar.PctBoton[3].BackColor, kColorReposo);
  EXPECT_EQ(bar.PctBoton[14].BackColor, kColorReposo);
  bar.SetPulsado(14, true);
  bar.PctBoton_MouseMove(14);
  EXPECT_EQ(bar.LblAyuda.Caption, "Desactivar Efectos de Sonido");

  bar.EsconderBotones();
  EXPECT_EQ(bar.PctBoton[14].BackColor, kColorReposo);
  EXPECT_EQ(bar.LblAyuda.ForeColor, kAyudaReposo);
  EXPECT_EQ(bar.LblAyuda.Caption, ButtonBar::TextoAyudaReposo());
}

TEST(ButtonBar, ConnectHelpFollowsTheFrameLoop) {
  ButtonBar bar;
  bool running = false;
  bar.CamaraConectada = [&] { return running; };
  bar.PctBoton_MouseMove(0);
  EXPECT_EQ(bar.LblAyuda.Caption, QString::fromUtf8("Conectar Cámara Web"));
  running = true;
  bar.EsconderBotones();
  bar.PctBoton_MouseMove(0);
  EXPECT_EQ(bar.LblAyuda.Caption, QString::fromUtf8("Desconectar Cámara Web"));
}

}  // namespace
}  // namespace miravela
