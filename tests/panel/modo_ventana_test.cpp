#include "panel/modo_ventana.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "panel/button_bar.h"
#include "support/fakes.h"

namespace miravela {
namespace {

struct Window {
  Control fraSensor, txtSensor;
  int height = 0;
  test::FakeServices fakes;
  PaginasAyuda paginas{"/ayuda/index.html", "/ayuda/guia.html"};
  ModoVentana modo{{.fraSensor = fraSensor,
                    .txtSensor = txtSensor,
                    .fijarAltura = [this](int h) { height = h; },
                    .services = fakes.services(),
                    .paginas = [this] { return paginas; }}};
};

TEST(WindowModes, ExpandedByDefaultAndTwoClicksComeBack) {
  Window w;
  EXPECT_TRUE(w.modo.Expandida());
  EXPECT_EQ(w.modo.CmdVentana.BackColor, kColorReposo);
  struct Step {
    const char* caption;
    Color color;
    int height;
    bool panelShown;
    const char* help;
  };
  const Step steps[] = {{"+", kColorPulsado, 5340, false, "Expandir/Reducir Ventana"},
                        {"-", kColorReposo, 8535, true, "Reducir/Expandir Ventana"}};
  for (const Step& s : steps) {
    w.modo.CmdVentana_Click();
    EXPECT_EQ(w.modo.CmdVentana.Caption, s.caption);
    EXPECT_EQ(w.modo.CmdVentana.BackColor, s.color);
    EXPECT_EQ(w.modo.Expandida(), s.panelShown);
    EXPECT_EQ(w.height, s.height);
    EXPECT_EQ(w.fraSensor.Visible, s.panelShown);
    EXPECT_EQ(w.txtSensor.Visible, s.panelShown);
    Control ayuda;
    w.modo.CmdVentana_MouseMove(ayuda);
    EXPECT_EQ(ayuda.Caption, s.help);
    EXPECT_EQ(ayuda.ForeColor, kAyudaActiva);
  }
}

TEST(WindowModes, HelpLinksOpenTheirPagesMinimised) {
  Window w;
  EXPECT_EQ(w.modo.LblAyudaCam.Caption, "Video Ayuda");
  w.modo.LblAyuda_Click();
  w.modo.LblAyudaCam_Click();
  EXPECT_EQ(w.fakes.launcher.opened, QStringList({"/ayuda/index.html", "/ayuda/guia.html"}));
  EXPECT_EQ(w.fakes.window.minimized, 2);
  w.paginas = {};  // the pages could not be written
  w.modo.LblAyuda_Click();
  EXPECT_EQ(w.fakes.beeper.beeps, 1);
  EXPECT_EQ(w.fakes.launcher.opened.size(), 2);
}

TEST(WindowModes, HelpPagesAreWrittenOutAndKeptCurrent) {
  QTemporaryDir dir;
  const QString carpeta = dir.path() + "/Recursos/Ayuda";
  const PaginasAyuda paginas = InstalarPaginasAyuda(carpeta);
  ASSERT_EQ(paginas.inicio, carpeta + "/index.html");
  ASSERT_EQ(paginas.video, carpeta + "/guia.html");
  const QByteArray inicio = test::ReadAll(paginas.inicio);
  EXPECT_TRUE(inicio.contains("Teclas de acceso directo"));
  EXPECT_TRUE(inicio.contains("guia.html")) << "the two pages link to each other";
  EXPECT_TRUE(test::ReadAll(paginas.video).contains("SUSPENDER"));
  EXPECT_FALSE(test::ReadAll(carpeta + "/estilo.css").isEmpty());

  test::WriteAll(paginas.inicio, "old page");
  InstalarPaginasAyuda(carpeta);
  EXPECT_EQ(test::ReadAll(paginas.inicio), inicio);

  test::WriteAll(dir.path() + "/file", "x");
  EXPECT_TRUE(InstalarPaginasAyuda(dir.path() + "/file/Ayuda").inicio.isEmpty()) << "a folder that cannot be made";
}

}  // namespace
}  // namespace miravela
