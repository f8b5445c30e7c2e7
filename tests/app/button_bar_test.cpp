#include "panel/button_bar.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(ButtonBar, SlotLabelsActAsTheirCameraButtons) {
  ButtonBar bar;
  std::vector<int> clicks;
  for (int i = 8; i <= 12; ++i) bar.SetAction(i, [&clicks, i] { clicks.push_back(i); });
  for (int label = 0; label < ButtonBar::kEtiquetas; ++label) {
    EXPECT_EQ(bar.LblBoton[static_cast<std::size_t>(label)].Caption, QStringLiteral("C%1").arg(label + 1));
    bar.LblBoton_Click(label);
  }
  EXPECT_EQ(clicks, std::vector<int>({8, 9, 10, 11, 12}));
  bar.LblBoton_MouseMove(1);
  bar.LblBoton_MouseMove(1);
  EXPECT_EQ(bar.PctBoton[9].BackColor, kColorResaltado);
  EXPECT_EQ(bar.LblAyuda.Caption, QString::fromUtf8("Cámara Web C2"));
}

TEST(ButtonBar, ZoneButtonShowsThePaintedCellsOnlyWhileOn) {
  ButtonBar bar;
  int shown = 0;
  bar.MostrarZona = [&] { ++shown; };
  bar.PctBoton_MouseMove(7);
  EXPECT_EQ(shown, 0);
  bar.SetPulsado(7, true);
  bar.PctBoton_MouseMove(7);
  bar.PctBoton_MouseMove(6);
  EXPECT_EQ(shown, 1);
}

TEST(ButtonBar, HidingResetsTheListsAndTheCreditCaption) {
  ButtonBar bar;
  int hidden = 0;
  bar.AlEsconder = [&] { ++hidden; };
  bar.LblFondo2.Caption = "otra cosa";
  bar.EsconderBotones();
  EXPECT_EQ(hidden, 1);
  EXPECT_EQ(bar.LblFondo2.Caption, ButtonBar::TextoCredito());
}

}  // namespace
}  // namespace miravela
