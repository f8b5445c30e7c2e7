#include "alarm/mail/form3.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/fakes.h"

namespace miravela {
namespace {

constexpr ColoresForm3 kColores{0xC0FFC0, 0x80FF80, 0x8080FF, 255};

class DialogoCorreo : public ::testing::Test {
 protected:
  DialogoCorreo() {
    ajustes.AsuntoCorreo = "Alarma";
    ajustes.CuentaCorreo = "yo@gmail.com";
    ajustes.ClaveCorreo = "secreta";
    ajustes.FotosPorEnvio = 20;
    ajustes.FotosAdjuntas = 3;
    form.Form_Load();
  }
  QString Nml() const { return dir.path() + "/Miravela.NML"; }
  void Escribir(int campo, const QString& texto) { EXPECT_TRUE(form.TxtCall_Change(campo, texto)); }

  QTemporaryDir dir;
  test::FakeServices fakes;
  Control ayuda;
  AjustesEmail ajustes;
  Form3 form{EntornoForm3{ajustes, Nml(), fakes.messages, fakes.launcher, ayuda, kColores}};
};

TEST_F(DialogoCorreo, ShowsTheSettingsWithCaptionsLimitsAndLists) {
  EXPECT_EQ(form.TxtCall[0].Text, "Alarma");
  EXPECT_EQ(form.TxtCall[3].Text, "secreta");
  EXPECT_EQ(form.TxtCall[3].PasswordChar, '*');
  EXPECT_EQ(form.TxtCall[3].MaxLength, 24);
  for (int i : {0, 1, 2, 4, 8}) EXPECT_EQ(form.TxtCall[static_cast<std::size_t>(i)].MaxLength, 48);
  EXPECT_EQ(form.LblCall[2].Caption, "CORREO GMAIL ");
  EXPECT_EQ(form.LblCall[3].Caption, QString::fromUtf8("CONTRASEÑA "));
  EXPECT_EQ(form.LblCall[8].Caption, "Correo CC #5 ");
  EXPECT_EQ(form.LblCall[10].Caption, QString::fromUtf8("Recibir Últimas "));
  EXPECT_EQ(form.LblCall[11].Caption, "ACEPTAR  ");
  EXPECT_EQ(form.LblCall[12].Caption, "CANCELAR  ");
  ASSERT_EQ(form.CboImagen.List.size(), 23);
  EXPECT_EQ(form.CboImagen.List.front(), "1 Foto");
  EXPECT_EQ(form.CboImagen.List[10], "20 Fotos");
  EXPECT_EQ(form.CboImagen.List[19], "200 Fotos");
  EXPECT_EQ(form.CboImagen.List.back(), "500 Fotos");
  ASSERT_EQ(form.CboRedial.List.size(), 10);
  EXPECT_EQ(form.CboRedial.List.back(), "10 Fotos");
  EXPECT_EQ(form.CboImagen.Text(), "20 Fotos");
  EXPECT_EQ(form.CboRedial.Text(), "3 Fotos");
}

TEST_F(DialogoCorreo, EnterWalksTheFieldsShowingEachHint) {
  const QString pistas[] = {QString::fromUtf8("Ubicación, números de emergencia, etc."),
                            "Escriba el correo completo, con @gmail.com",
                            QString::fromUtf8("Contraseña de Gmail"),
                            "Enviar copia al correo #1",
                            "Enviar copia al correo #2",
                            "Enviar copia al correo #3",
                            "Enviar copia al correo #4",
                            "Enviar copia al correo #5",
                            QString::fromUtf8("Breve descripción del mensaje de alerta")};
  for (int i = 0; i < 9; ++i) {
    EXPECT_TRUE(form.TxtCall_KeyPress(i, Form3::kTeclaEnter));
    EXPECT_EQ(form.Foco, (i + 1) % 9);
    EXPECT_EQ(ayuda.Caption, pistas[i]);
    EXPECT_EQ(ayuda.ForeColor, 255u);
  }
  EXPECT_FALSE(form.TxtCall_KeyPress(0, 'a'));
  form.TxtCall_GotFocus(5);
  form.ChkAutoAsunto_Click();
  EXPECT_EQ(form.ChkAutoAsunto.Value, 1);
  EXPECT_EQ(form.Foco, 0);
}

TEST_F(DialogoCorreo, LabelButtonsLightUpAndRest) {
  EXPECT_EQ(form.LblCall[11].BackColor, 0xC0FFC0u);
  form.LblCall_MouseMove(11);
  EXPECT_EQ(form.LblCall[11].BackColor, 0x80FF80u);
  form.LblCall_MouseDown(12);
  EXPECT_EQ(form.LblCall[12].BackColor, 0x8080FFu);
  form.Form_MouseMove();
  EXPECT_EQ(form.LblCall[11].BackColor, 0xC0FFC0u);
  EXPECT_EQ(form.LblCall[12].BackColor, 0xC0FFC0u);
}

TEST_F(DialogoCorreo, ConfirmedSavesTrimmedTextsAndTheChosenCounts) {
  Escribir(0, "  Intruso  ");
  Escribir(4, "copia@correo.es ");
  form.CboImagen.SetText("500 Fotos");
  form.CboRedial.SetText("10 Fotos");
  form.LblCall_Click(Form3::kAceptar);
  EXPECT_FALSE(form.Abierto);
  EXPECT_TRUE(form.AlertasQuedanActivas());
  EXPECT_EQ(ajustes.AsuntoCorreo, "Intruso");
  EXPECT_EQ(ajustes.CopiaCorreo[0], "copia@correo.es");
  EXPECT_EQ(ajustes.FotosPorEnvio, 500);
  EXPECT_EQ(ajustes.FotosAdjuntas, 10);
  AjustesEmail leidos;
  CargarAvisoEmail(Nml(), leidos);
  EXPECT_EQ(leidos, ajustes);
}

TEST_F(DialogoCorreo, EmptyPasswordOrAccountConfirmedIsSavedButAlertsGoOff) {
  for (int campo : {3, 2}) {
    SCOPED_TRACE(campo);
    Form3 f{EntornoForm3{ajustes, Nml(), fakes.messages, fakes.launcher, ayuda, kColores}};
    f.Form_Load();
    EXPECT_TRUE(f.TxtCall_Change(campo, "   "));
    f.LblCall_Click(Form3::kAceptar);
    EXPECT_FALSE(f.Abierto);
    EXPECT_TRUE(f.Confirmado);
    EXPECT_FALSE(f.AlertasQuedanActivas());
    AjustesEmail leidos;
    CargarAvisoEmail(Nml(), leidos);
    EXPECT_EQ(leidos, ajustes);
    EXPECT_TRUE((campo == 3 ? leidos.ClaveCorreo : leidos.CuentaCorreo).isEmpty());
  }
}

TEST_F(DialogoCorreo, EscapeOrCancelAfterEditsSaveNothing) {
  const AjustesEmail antes = ajustes;
  for (bool escape : {true, false}) {
    Form3 f{EntornoForm3{ajustes, Nml(), fakes.messages, fakes.launcher, ayuda, kColores}};
    f.Form_Load();
    EXPECT_TRUE(f.TxtCall_Change(0, "Otro asunto"));
    f.CboImagen.SetText("1 Foto");
    if (escape)
      f.Escape();
    else
      f.LblCall_Click(Form3::kCancelar);
    EXPECT_FALSE(f.Abierto);
    EXPECT_FALSE(f.AlertasQuedanActivas());
  }
  EXPECT_EQ(ajustes, antes);
  EXPECT_FALSE(QFile::exists(Nml()));
}

TEST_F(DialogoCorreo, RefusesCharactersTheFileCannotHoldWithAMessage) {
  EXPECT_FALSE(form.TxtCall_Change(1, QString::fromUtf8("Casa 🏠")));
  EXPECT_EQ(form.TxtCall[1].Text, "");
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].title, "Miravela - Aviso por E-MAIL");
  EXPECT_TRUE(fakes.messages.shown[0].text.contains(QString::fromUtf8("🏠")));
  EXPECT_TRUE(form.TxtCall_Change(1, QString::fromUtf8("Salón €")));

  // A text put straight into a field is checked when confirming, and nothing is saved.
  form.TxtCall[6].Text = QString::fromUtf8("ω@correo.gr");
  form.LblCall_Click(Form3::kAceptar);
  EXPECT_TRUE(form.Abierto);
  EXPECT_FALSE(form.Confirmado);
  EXPECT_EQ(form.Foco, 6);
  EXPECT_EQ(fakes.messages.shown.size(), 2u);
  EXPECT_FALSE(QFile::exists(Nml()));
}

TEST_F(DialogoCorreo, CountsTheListsDoNotOfferAreKept) {
  ajustes.FotosPorEnvio = 15;  // written by hand into the file
  Form3 f{EntornoForm3{ajustes, Nml(), fakes.messages, fakes.launcher, ayuda, kColores}};
  f.Form_Load();
  EXPECT_EQ(f.CboImagen.ListIndex, -1);
  f.LblCall_Click(Form3::kAceptar);
  EXPECT_EQ(ajustes.FotosPorEnvio, 15);
}

TEST_F(DialogoCorreo, VideoHelpOpensThePage) {
  form.LblAyudaMail_Click();
  ASSERT_EQ(fakes.launcher.opened.size(), 1u);
  EXPECT_TRUE(fakes.launcher.opened[0].startsWith("https://"));
}

TEST_F(DialogoCorreo, AnUnwritableFileIsReported) {
  Form3 f{
      EntornoForm3{ajustes, dir.path() + "/no/existe/Miravela.NML", fakes.messages, fakes.launcher, ayuda, kColores}};
  f.Form_Load();
  f.LblCall_Click(Form3::kAceptar);
  EXPECT_FALSE(f.Abierto);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_TRUE(fakes.messages.shown[0].text.contains("no/existe"));
}

}  // namespace
}  // namespace miravela
