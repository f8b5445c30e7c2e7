#include "alarm/mail/mensaje_smtp.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include "alarm/mail/servidor_smtp.h"

namespace miravela {
namespace {

TEST(Destinatarios, SplitAtSemicolonsWithoutEmptyEntries) {
  EXPECT_EQ(Destinatarios("yo@casa.es; ; ; ; ; "), QStringList{"yo@casa.es"});
  EXPECT_EQ(Destinatarios(" a@b.es ;c@d.es;; e@f.es"), (QStringList{"a@b.es", "c@d.es", "e@f.es"}));
  EXPECT_TRUE(Destinatarios("; ; ").isEmpty());
}

TEST(TextoCabecera, PlainAsciiOrEncodedWordsAndNeverALineBreak) {
  EXPECT_EQ(TextoCabecera("Alarma en casa"), "Alarma en casa");
  EXPECT_EQ(TextoCabecera("Alarma\r\nBcc: otro@x.es"), "Alarma  Bcc: otro@x.es");
  EXPECT_EQ(TextoCabecera(QString::fromUtf8("salón")), "=?UTF-8?B?c2Fsw7Nu?=");
  // 48 characters of two bytes each: words of at most 75 characters, each whole UTF-8.
  const QString largo = QString(48, QChar(0xF1));
  const QList<QByteArray> palabras = TextoCabecera(largo).split(' ');
  ASSERT_GT(palabras.size(), 1);
  QByteArray junto;
  for (const QByteArray& p : palabras) {
    EXPECT_LE(p.size(), 75);
    ASSERT_TRUE(p.startsWith("=?UTF-8?B?") && p.endsWith("?="));
    junto += QByteArray::fromBase64(p.mid(10, p.size() - 12));
  }
  EXPECT_EQ(QString::fromUtf8(junto), largo);
}

TEST(CabeceraFecha, EnglishNamesAndTheOffset) {
  const QDateTime invierno(QDate(2026, 12, 11), QTime(17, 5, 9), QTimeZone(3600));
  EXPECT_EQ(CabeceraFecha(invierno), "Fri, 11 Dec 2026 17:05:09 +0100");
  const QDateTime oeste(QDate(2026, 3, 2), QTime(8, 0, 0), QTimeZone(-(3 * 3600 + 30 * 60)));
  EXPECT_EQ(CabeceraFecha(oeste), "Mon, 02 Mar 2026 08:00:00 -0330");
}

TEST(IdentificadorMensaje, UsesTheSendersDomain) {
  EXPECT_EQ(IdentificadorMensaje("yo@casa.es", "abc.1"), "<abc.1@casa.es>");
  EXPECT_EQ(IdentificadorMensaje("sin arroba", "x"), "<x@miravela.invalid>");
}

TEST(ServidorSmtp, ReadsTheIniValue) {
  const struct {
    const char* valor;
    ServidorSmtp esperado;
  } casos[] = {
      {"smtps://mail.casa.es:2465", {"mail.casa.es", "2465", false}},
      {"smtp://127.0.0.1:2525", {"127.0.0.1", "2525", true}},
      {"SMTP://correo:25/", {"correo", "25", true}},
      {"127.0.0.1:1465", {"127.0.0.1", "1465", false}},
      {"smtps://[::1]:4650", {"::1", "4650", false}},
      {"mail.casa.es", {"mail.casa.es", "465", false}},
      {"smtp://mail.casa.es", {"mail.casa.es", "587", true}},
      // Unreadable values keep no port, so sends fail instead of going elsewhere.
      {"smtp://mail.casa.es:70000", {"mail.casa.es", "", true}},
      {"mail.casa.es:puerto", {"mail.casa.es", "", false}},
      {"ftp://mail.casa.es:21", {"ftp://mail.casa.es:21", "", false}},
      {"smtps://:465", {"", "", false}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.valor);
    EXPECT_EQ(LeerServidorSmtp(c.valor), c.esperado);
  }
}

TEST(ServidorSmtp, TheProviderUnlessTheIniSaysOtherwise) {
  Configuracion sin = LeerValoresIni("[TAGCAM]\r\nC1\r\n", {});
  const ConfiguracionSmtp defecto = LeerConfiguracionSmtp(sin.Opcionales);
  EXPECT_EQ(defecto.servidor, (ServidorSmtp{"smtp.gmail.com", "465", false}));
  EXPECT_TRUE(defecto.certificados.isEmpty());
  EXPECT_EQ(defecto.tiempoConexion, std::chrono::seconds(10));

  QByteArray ini;
  for (int i = 0; i < 8; ++i) ini += "[X]\r\n\r\n";
  ini += "[SRVSMTP]\r\nsmtp://127.0.0.1:2525\r\n[CASMTP]\r\n/home/yo/ca.pem\r\n";
  const ConfiguracionSmtp propia = LeerConfiguracionSmtp(LeerValoresIni(ini, {}).Opcionales);
  EXPECT_EQ(propia.servidor, (ServidorSmtp{"127.0.0.1", "2525", true}));
  EXPECT_EQ(propia.certificados, "/home/yo/ca.pem");
}

}  // namespace
}  // namespace miravela
