#include "alarm/mail/ajustes_email.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "base/registro_ajustes.h"
#include "support/fakes.h"

namespace miravela {
namespace {

TEST(ClaveCorreo, DigitCodecTable) {
  const struct {
    const char* clave;
    const char* digitos;
  } casos[] = {
      {"", ""},
      {"A", "265"},
      {"é", "3233"},
      {"a1 ", "297249232"},
      {"\x7f", "3127"},
      {"€", "3128"},  // the euro sign has its own ANSI code
      {"Ñandú9", "3209297311031003250257"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.clave);
    const QString clave = QString::fromUtf8(c.clave);
    EXPECT_EQ(CodificarClave(clave), QString(c.digitos));
    EXPECT_EQ(DecodificarClave(c.digitos), clave);
  }
}

TEST(ClaveCorreo, RefusesWhatCannotBeStoredOrRead) {
  EXPECT_EQ(CodificarClave(QString::fromUtf8("contraseña☃")), std::nullopt);
  for (const char* roto : {"3", "265x", "0", "2a5", "3999", "12 "}) {
    SCOPED_TRACE(roto);
    EXPECT_EQ(DecodificarClave(roto), std::nullopt);
  }
}

class ArchivoNml : public ::testing::Test {
 protected:
  QString Archivo() const { return dir.path() + "/Miravela.NML"; }
  static AjustesEmail Completos() {
    AjustesEmail a;
    a.AsuntoCorreo = "Alarma";
    a.MensajeCorreo = QString::fromUtf8("Calle Mayor 5, llamar al 112");
    a.CuentaCorreo = "vigilante@gmail.com";
    a.ClaveCorreo = QString::fromUtf8("clave é 24");
    a.CopiaCorreo = {"uno@correo.es", "", "tres@correo.es", "", "cinco@correo.es"};
    a.AsuntoAutomatico = 1;
    a.FotosPorEnvio = 20;
    a.FotosAdjuntas = 7;
    return a;
  }
  QTemporaryDir dir;
};

TEST_F(ArchivoNml, RoundTripsEveryField) {
  const QString cuarentaYOcho = "123456789012345678901234567890123456789012345678";
  struct Caso {
    const char* nombre;
    std::function<void(AjustesEmail&)> cambio;
    std::function<void(AjustesEmail&)> esperado;  // what a load gives back
  };
  const Caso casos[] = {
      {"all fields", [](AjustesEmail&) {}, [](AjustesEmail&) {}},
      {"a 48-character subject", [&](AjustesEmail& a) { a.AsuntoCorreo = cuarentaYOcho; }, [](AjustesEmail&) {}},
      {"surrounding spaces removed",
       [](AjustesEmail& a) {
         a.MensajeCorreo = "  en la puerta  ";
         a.ClaveCorreo = " abc ";
       },
       [](AjustesEmail& a) {
         a.MensajeCorreo = "en la puerta";
         a.ClaveCorreo = "abc";
       }},
      {"a 24-character password of codes above 99",
       [](AjustesEmail& a) { a.ClaveCorreo = QString::fromUtf8("éééééééééééééééééééééééé"); }, [](AjustesEmail&) {}},
      {"empty texts, automatic subject off",
       [](AjustesEmail& a) {
         a = AjustesEmail{};
         a.FotosPorEnvio = 500;
         a.FotosAdjuntas = 10;
       },
       [](AjustesEmail&) {}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    AjustesEmail guardados = Completos();
    c.cambio(guardados);
    ASSERT_TRUE(GuardarAvisoEmail(Archivo(), guardados));
    AjustesEmail esperado = guardados;
    c.esperado(esperado);
    AjustesEmail leidos;
    leidos.CuentaCorreo = "lo que hubiera";
    CargarAvisoEmail(Archivo(), leidos);
    EXPECT_EQ(leidos, esperado);
  }
}

TEST_F(ArchivoNml, RecordsHoldTwelveCharacterPiecesAndKeepWhatTheBufferLastHeld) {
  AjustesEmail a = Completos();
  a.AsuntoCorreo = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuv";  // 48
  a.ClaveCorreo = "A";
  ASSERT_TRUE(GuardarAvisoEmail(Archivo(), a));
  const QByteArray bytes = test::ReadAll(Archivo());
  ASSERT_EQ(bytes.size(), 22 * 46);
  const auto r = *LeerRegistros(Archivo(), 22);
  auto texto = [&](int n, int campo) {
    const auto& reg = r[static_cast<std::size_t>(n - 1)];
    return (campo == 1 ? reg.Campo1 : reg.Campo2).ComoTexto();
  };
  EXPECT_EQ(texto(1, 1), "ABCDEFGHIJKL");
  EXPECT_EQ(texto(1, 2), "MNOPQRSTUVWX");
  EXPECT_EQ(texto(2, 1), "YZabcdefghij");
  EXPECT_EQ(texto(2, 2), "klmnopqrstuv");
  EXPECT_EQ(texto(7, 1), "265         ");
  EXPECT_EQ(texto(11, 2), "            ");
  EXPECT_EQ(texto(20, 1), "cinco@correo");
  EXPECT_EQ(texto(21, 1), "");
  for (int n = 1; n <= 21; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(r[static_cast<std::size_t>(n - 1)].Campo4, 1);  // the automatic subject, as last written
    EXPECT_EQ(r[static_cast<std::size_t>(n - 1)].Campo5, 0);
    EXPECT_FALSE(r[static_cast<std::size_t>(n - 1)].Campo3);
  }
  EXPECT_EQ(r[21].Campo1, r[20].Campo1);
  EXPECT_EQ(r[21].Campo2, r[20].Campo2);
  EXPECT_EQ(r[21].Campo4, 20);
  EXPECT_EQ(r[21].Campo5, 7);
  EXPECT_EQ(r[21].Campo6, 0);
  // Record 1 byte for byte: two 12-character texts, the flag, the three numbers.
  const QByteArray uno = bytes.left(46);
  EXPECT_EQ(uno.left(4), QByteArray("\x08\x00\x0c\x00", 4));
  EXPECT_EQ(uno.mid(4, 12), "ABCDEFGHIJKL");
  EXPECT_EQ(uno.mid(16, 4), QByteArray("\x08\x00\x0c\x00", 4));
  EXPECT_EQ(uno.mid(32, 14), QByteArray("\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 14));
}

TEST_F(ArchivoNml, MissingFileSetsOnlyTheTwoCounts) {
  AjustesEmail a = Completos();
  CargarAvisoEmail(Archivo(), a);
  AjustesEmail esperado = Completos();
  esperado.FotosPorEnvio = 10;
  esperado.FotosAdjuntas = 5;
  EXPECT_EQ(a, esperado);
}

TEST_F(ArchivoNml, RefusesTextsItCannotHoldAndLeavesTheFileAlone) {
  ASSERT_TRUE(GuardarAvisoEmail(Archivo(), Completos()));
  const QByteArray antes = test::ReadAll(Archivo());
  AjustesEmail largo = Completos();
  largo.CopiaCorreo[2] = QString(49, 'x');
  AjustesEmail simbolo = Completos();
  simbolo.MensajeCorreo = QString::fromUtf8("alarma ☃");
  AjustesEmail clave = Completos();
  clave.ClaveCorreo = QString(31, QChar(0xE9));  // 124 digits: more than the file holds
  for (const AjustesEmail* a : {&largo, &simbolo, &clave}) EXPECT_FALSE(GuardarAvisoEmail(Archivo(), *a));
  EXPECT_EQ(test::ReadAll(Archivo()), antes);
}

TEST_F(ArchivoNml, DamagedPasswordDigitsKeepThePasswordHeld) {
  ASSERT_TRUE(GuardarAvisoEmail(Archivo(), Completos()));
  QFile f(Archivo());
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.seek(6 * 46 + 4);
  f.write("9");  // a digit count that runs past the end
  f.close();
  AjustesEmail a;
  a.ClaveCorreo = "anterior";
  CargarAvisoEmail(Archivo(), a);
  EXPECT_EQ(a.ClaveCorreo, "anterior");
  EXPECT_EQ(a.CuentaCorreo, "vigilante@gmail.com");
}

TEST_F(ArchivoNml, IsReadableByItsOwnerOnlyWhateverTheUmask) {
  const mode_t antes = ::umask(022);
  // An older copy others could read is closed to them too.
  test::WriteAll(Archivo(), QByteArray(22 * 46, '\0'));
  ::chmod(Archivo().toLocal8Bit().constData(), 0644);
  const QString nuevo = dir.path() + "/nuevo.NML";
  const bool escritos = GuardarAvisoEmail(Archivo(), Completos()) && GuardarAvisoEmail(nuevo, Completos());
  ::umask(antes);
  ASSERT_TRUE(escritos);
  for (const QString& archivo : {Archivo(), nuevo}) {
    SCOPED_TRACE(archivo.toStdString());
    struct stat st {};
    ASSERT_EQ(::stat(archivo.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
  }
}

TEST(TextoFotos, SingularAndPlural) {
  EXPECT_EQ(TextoFotos(1), "1 Foto");
  EXPECT_EQ(TextoFotos(2), "2 Fotos");
  EXPECT_EQ(TextoFotos(500), "500 Fotos");
}

}  // namespace
}  // namespace miravela
