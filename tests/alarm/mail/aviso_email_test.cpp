#include "alarm/mail/aviso_email.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <thread>

#include "alarm/mail/servidor_prueba.h"
#include "base/fake_clock.h"
#include "base/version.h"
#include "support/fakes.h"

namespace miravela {
namespace {

using std::chrono::seconds;

constexpr const char* kCuenta = "alarma@casa.test";
constexpr const char* kClave = "clave secreta";

AjustesEmail Ajustes(int porEnvio, int adjuntas) {
  AjustesEmail a;
  a.AsuntoCorreo = QString::fromUtf8("Movimiento en el salón");
  a.MensajeCorreo = QString::fromUtf8("Calle Mayor 5 — llamar al 112");
  a.CuentaCorreo = kCuenta;
  a.ClaveCorreo = kClave;
  a.CopiaCorreo = {"vecino@casa.test", "", "", "", "hija@casa.test"};
  a.FotosPorEnvio = porEnvio;
  a.FotosAdjuntas = adjuntas;
  return a;
}

// Runs the model until the send under way ends: the clock moves 100 ms for every
// 10 ms of real time.
bool EsperarEnvio(AvisoEmail& aviso, FakeClock& clock, seconds maximo = seconds(15)) {
  const auto limite = std::chrono::steady_clock::now() + maximo;
  while (aviso.Enviando()) {
    if (std::chrono::steady_clock::now() > limite) return false;
    clock.Advance(100);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

TEST(ComponerAviso, FollowsTheSettings) {
  FakeClock clock;
  test::FakeBeeper beeper;
  QString sonido = "sirena.mp3";
  AvisoEmail aviso(EntornoAviso{.clock = clock, .beeper = beeper, .sonidoAlarma = [&] { return sonido; }});
  aviso.ajustes = Ajustes(10, 3);
  aviso.ajustes.CopiaCorreo = {};
  EXPECT_EQ(aviso.ComponerAviso().Para, "alarma@casa.test; ; ; ; ; ");
  clsCDOmail m = aviso.ComponerAviso();
  EXPECT_EQ(m.Servidor, "smtp.gmail.com");
  EXPECT_EQ(m.Puerto, "465");
  EXPECT_FALSE(m.StartTls);
  EXPECT_TRUE(m.UseAutentificacion && m.SSL);
  EXPECT_EQ(m.Usuario, kCuenta);
  EXPECT_EQ(m.PassWord, kClave);
  EXPECT_EQ(m.De, kCuenta);
  EXPECT_EQ(m.Asunto, aviso.ajustes.AsuntoCorreo);
  EXPECT_EQ(m.Mensaje, aviso.ajustes.MensajeCorreo + "\r\n\r\n\r\n\r\n\r\nEnviado desde mi Miravela " +
                           VersionPrograma() + "\r\n\r\n");
  EXPECT_TRUE(m.Adjunto.isEmpty());
  aviso.ajustes.AsuntoAutomatico = 1;
  aviso.FotosRecientes[2] = "/fotos/3.jpg";
  m = aviso.ComponerAviso();
  EXPECT_EQ(m.Asunto, "sirena.mp3");
  EXPECT_EQ(m.Adjunto, "/fotos/3.jpg");
  sonido.clear();
  EXPECT_EQ(aviso.ComponerAviso().Asunto, "");
}

// A mail alert over a real server: the fake clock drives the model's timers while the
// send runs on its own thread in real time.
class CorreoReal : public ::testing::TestWithParam<const char*> {
 protected:
  static void SetUpTestSuite() {
    certificadosDir = new QTemporaryDir;
    auto c = test::CrearCertificados(certificadosDir->path());
    certificados = c ? new test::Certificados(*c) : nullptr;
  }
  static void TearDownTestSuite() {
    delete certificados;
    delete certificadosDir;
    certificados = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(certificados, nullptr) << "openssl could not make the certificates";
    fotos = dir.path() + QString::fromUtf8("/Imágenes");
    QDir().mkpath(fotos);
    reloj.OnTimer = [this] { ++ticks; };
    reloj.SetEnabled(true);
  }

  bool StartTls() const { return QString(GetParam()) == "starttls"; }

  // The INI pairs that point the alerts at the local server and trust its authority.
  void Apuntar(int puerto, bool confiar = true) {
    QByteArray ini;
    for (int i = 0; i < 8; ++i) ini += "[X]\r\n\r\n";
    ini += QByteArray("[SRVSMTP]\r\n") + (StartTls() ? "smtp" : "smtps") +
           "://127.0.0.1:" + QByteArray::number(puerto) + "\r\n";
    if (confiar) ini += "[CASMTP]\r\n" + certificados->ca.toUtf8() + "\r\n";
    smtp = LeerConfiguracionSmtp(LeerValoresIni(ini, {}).Opcionales);
    smtp.tiempoMaximo = seconds(2);  // short enough for a test of a server that never answers
  }

  std::unique_ptr<test::ServidorPrueba> Servidor(int puerto = 0, double demora = 0) {
    auto s = std::make_unique<test::ServidorPrueba>(
        *certificados, test::OpcionesServidor{GetParam(), kCuenta, kClave, puerto, demora});
    EXPECT_TRUE(s->Listo());
    return s;
  }

  // A photograph of bytes that a careless encoding would damage.
  QString Foto(int n) {
    const QString ruta = fotos + QStringLiteral("/2026-12-10 (1200%1) %2.jpg").arg(n, 2, 10, QChar('0')).arg(n);
    QByteArray bytes("\xFF\xD8\xFF\xE0\r\n.\r\n\x00\x1A", 12);
    for (int i = 0; i < 3000 + 7 * n; ++i) bytes.append(static_cast<char>(QRandomGenerator::global()->bounded(256)));
    test::WriteAll(ruta, bytes);
    return ruta;
  }

  bool EsperarEnvio() { return miravela::EsperarEnvio(aviso, clock); }

  static QByteArray Leer(const QString& ruta) { return test::ReadAll(ruta); }
  static QStringList Adjuntos(const QString& mensaje) {
    return QDir(mensaje + "/attachments").entryList(QDir::Files, QDir::Name);
  }

  static inline QTemporaryDir* certificadosDir = nullptr;
  static inline test::Certificados* certificados = nullptr;

  QTemporaryDir dir;
  QString fotos;
  FakeClock clock;
  test::FakeBeeper beeper;
  ConfiguracionSmtp smtp;
  bool activo = true;
  ModelTimer reloj{clock, "TmrReloj", 100};  // stands for the frame loop
  int ticks = 0;
  AvisoEmail aviso{EntornoAviso{.clock = clock,
                                .beeper = beeper,
                                .smtp = [this] { return smtp; },
                                .sonidoAlarma = [] { return QString(); },
                                .activo = [this] { return activo; }}};
};

TEST_P(CorreoReal, TheNewestPhotographsArriveByteForByte) {
  auto servidor = Servidor();
  Apuntar(servidor->Puerto());
  aviso.ajustes = Ajustes(3, 3);
  QStringList rutas;
  for (int n = 1; n <= 3; ++n) {
    rutas << Foto(n);
    aviso.FotoGuardada(rutas.back());
  }
  EXPECT_TRUE(aviso.ImgMail.Visible);
  ASSERT_TRUE(EsperarEnvio());
  EXPECT_FALSE(aviso.ImgMail.Visible);
  EXPECT_EQ(aviso.UltimoError, "");
  EXPECT_EQ(beeper.beeps, 0);
  EXPECT_EQ(aviso.FotosSinEnviar, 0);
  ASSERT_TRUE(servidor->EsperarMensajes(1));
  const QString m = servidor->Mensajes()[0];

  ASSERT_EQ(Adjuntos(m).size(), 3);
  for (const QString& ruta : rutas) {
    const QString nombre = QFileInfo(ruta).fileName();
    EXPECT_EQ(Leer(m + "/attachments/" + nombre), Leer(ruta)) << nombre.toStdString();
  }
  EXPECT_EQ(QString::fromUtf8(Leer(m + "/subject.txt")), aviso.ajustes.AsuntoCorreo);
  QString cuerpo = QString::fromUtf8(Leer(m + "/body.txt"));
  cuerpo.replace("\r\n", "\n");
  EXPECT_EQ(cuerpo, QString(MensajeCorreo(aviso.ajustes)).replace("\r\n", "\n"));
  EXPECT_TRUE(cuerpo.contains("Enviado desde mi Miravela 11.23"));
  EXPECT_EQ(QString::fromUtf8(Leer(m + "/envelope.txt")),
            "alarma@casa.test\nalarma@casa.test\nvecino@casa.test\nhija@casa.test\n");
  const QString cabeceras = "\n" + QString::fromUtf8(Leer(m + "/headers.txt"));
  EXPECT_TRUE(cabeceras.contains("From: alarma@casa.test\n"));
  EXPECT_TRUE(cabeceras.contains("To: alarma@casa.test, vecino@casa.test, hija@casa.test\n"));
  EXPECT_TRUE(
      cabeceras.contains(QRegularExpression("\nDate: \\w{3}, \\d\\d \\w{3} \\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\n")));
  EXPECT_TRUE(cabeceras.contains(QRegularExpression("\nMessage-ID: <[^@ ]+@casa\\.test>\n")));
}

TEST_P(CorreoReal, EveryPhotographMailedOneFirstThenTheFiveNewest) {
  auto servidor = Servidor();
  Apuntar(servidor->Puerto());
  aviso.ajustes = Ajustes(1, 5);
  QStringList rutas;
  for (int n = 1; n <= 6; ++n) {
    rutas << Foto(n);
    aviso.FotoGuardada(rutas.back());
    ASSERT_TRUE(EsperarEnvio());
    ASSERT_TRUE(servidor->EsperarMensajes(n));
    const QStringList adjuntos = Adjuntos(servidor->Mensajes()[n - 1]);
    QStringList esperados;
    for (int i = std::max(0, n - 5); i < n; ++i) esperados << QFileInfo(rutas[i]).fileName();
    EXPECT_EQ(adjuntos, esperados) << "mail " << n;
  }
  EXPECT_EQ(beeper.beeps, 0);
}

TEST_P(CorreoReal, PhotographsSavedDuringASendWaitForItsEnd) {
  auto servidor = Servidor(0, 1.0);  // a server that takes a second over each message
  Apuntar(servidor->Puerto());
  aviso.ajustes = Ajustes(1, 5);
  aviso.FotoGuardada(Foto(1));
  ASSERT_TRUE(aviso.Enviando());
  aviso.FotoGuardada(Foto(2));
  aviso.FotoGuardada(Foto(3));
  EXPECT_EQ(aviso.FotosSinEnviar, 3);
  ASSERT_TRUE(servidor->EsperarMensajes(1));
  // The first send took back only its own photograph; the two others went next.
  ASSERT_TRUE(EsperarEnvio());
  ASSERT_TRUE(servidor->EsperarMensajes(2));
  EXPECT_EQ(Adjuntos(servidor->Mensajes()[0]).size(), 1);
  EXPECT_EQ(Adjuntos(servidor->Mensajes()[1]).size(), 3);
  EXPECT_EQ(aviso.FotosSinEnviar, 0);
  EXPECT_FALSE(aviso.Enviando());
}

TEST_P(CorreoReal, FailuresBeepKeepTheCountAndNeverStopTheFrameLoop) {
  auto servidor = Servidor();
  test::ServidorMudo mudo;
  const struct {
    const char* nombre;
    int puerto;
    QString clave;
    bool confiar;
  } casos[] = {
      {"wrong password", servidor->Puerto(), "otra clave", true},
      {"server that never answers", mudo.Puerto(), kClave, true},
      {"authority not trusted", servidor->Puerto(), kClave, false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    Apuntar(c.puerto, c.confiar);
    aviso.AlertasActivadas();
    aviso.ajustes = Ajustes(1, 5);
    aviso.ajustes.ClaveCorreo = c.clave;
    beeper.beeps = 0;
    const int antes = ticks;
    aviso.FotoGuardada(Foto(1));
    EXPECT_TRUE(aviso.ImgMail.Visible);
    ASSERT_TRUE(EsperarEnvio());
    EXPECT_GT(ticks, antes);
    EXPECT_FALSE(aviso.ImgMail.Visible);
    EXPECT_EQ(beeper.beeps, 2);  // one from the send, one from the alert
    EXPECT_EQ(aviso.FotosSinEnviar, 1);
    EXPECT_NE(aviso.UltimoError, "");
    EXPECT_TRUE(aviso.TmrReintento.Enabled());
  }
  // The silent server held its send for the whole time-out, while the loop ticked on.
  EXPECT_TRUE(servidor->Mensajes().isEmpty());
}

TEST_P(CorreoReal, AServerThatComesBackGetsTheAlertFromTheRetryTimer) {
  const int puerto = test::PuertoLibre();
  Apuntar(puerto);
  aviso.ajustes = Ajustes(2, 5);
  aviso.FotoGuardada(Foto(1));
  aviso.FotoGuardada(Foto(2));
  ASSERT_TRUE(EsperarEnvio());
  EXPECT_EQ(beeper.beeps, 2);
  EXPECT_EQ(aviso.TmrReintento.Interval(), 60 * 1000);
  clock.Advance(60 * 1000);  // the first retry finds nobody either
  ASSERT_TRUE(EsperarEnvio());
  EXPECT_EQ(beeper.beeps, 4);
  EXPECT_EQ(aviso.TmrReintento.Interval(), 2 * 60 * 1000);

  auto servidor = Servidor(puerto);
  const int ticksAntes = ticks;
  clock.Advance(2 * 60 * 1000 - 100);
  EXPECT_FALSE(aviso.Enviando());
  clock.Advance(100);
  EXPECT_TRUE(aviso.Enviando());
  ASSERT_TRUE(EsperarEnvio());
  EXPECT_GT(ticks, ticksAntes);
  ASSERT_TRUE(servidor->EsperarMensajes(1));
  EXPECT_EQ(Adjuntos(servidor->Mensajes()[0]).size(), 2);
  EXPECT_EQ(aviso.FotosSinEnviar, 0);
  EXPECT_FALSE(aviso.TmrReintento.Enabled());
  EXPECT_EQ(beeper.beeps, 4);
}

INSTANTIATE_TEST_SUITE_P(Tls, CorreoReal, ::testing::Values("implicit", "starttls"));

// A server where nobody listens: every send fails at once.
class SinServidor : public ::testing::Test {
 protected:
  SinServidor() {
    smtp.servidor = {"127.0.0.1", QString::number(test::PuertoLibre()), false};
    foto = dir.path() + "/foto.jpg";
    test::WriteAll(foto, "foto");
    aviso.ajustes = Ajustes(1, 1);
  }
  QTemporaryDir dir;
  QString foto;
  FakeClock clock;
  test::FakeBeeper beeper;
  ConfiguracionSmtp smtp;
  bool activo = true;
  AvisoEmail aviso{EntornoAviso{
      .clock = clock, .beeper = beeper, .smtp = [this] { return smtp; }, .activo = [this] { return activo; }}};
};

TEST_F(SinServidor, RetriesDoubleUpToHalfAnHourAndStopWhenAlertsGoOff) {
  aviso.FotoGuardada(foto);
  ASSERT_TRUE(EsperarEnvio(aviso, clock));
  std::vector<int> intervalos;
  for (int i = 0; i < 7; ++i) {
    ASSERT_TRUE(aviso.TmrReintento.Enabled());
    intervalos.push_back(aviso.TmrReintento.Interval() / 1000);
    clock.Advance(aviso.TmrReintento.Interval());
    ASSERT_TRUE(aviso.Enviando());
    ASSERT_TRUE(EsperarEnvio(aviso, clock));
  }
  EXPECT_EQ(intervalos, (std::vector<int>{60, 120, 240, 480, 960, 1800, 1800}));
  EXPECT_EQ(beeper.beeps, 2 * 8);
  EXPECT_EQ(aviso.FotosSinEnviar, 1);

  activo = false;
  clock.Advance(30 * 60 * 1000);
  EXPECT_FALSE(aviso.Enviando());
  EXPECT_FALSE(aviso.TmrReintento.Enabled());
  EXPECT_EQ(beeper.beeps, 2 * 8);
}

TEST_F(SinServidor, SwitchingOnStartsAfreshAndOffCountsNothing) {
  aviso.ajustes = Ajustes(3, 2);
  aviso.FotoGuardada(foto);
  aviso.FotoGuardada(dir.path() + "/otra.jpg");
  EXPECT_EQ(aviso.FotosSinEnviar, 2);
  EXPECT_EQ(aviso.FotosRecientes[0], foto);
  EXPECT_EQ(aviso.FotosRecientes[1], dir.path() + "/otra.jpg");
  EXPECT_EQ(aviso.FotosRecientes[2], "");
  activo = false;
  aviso.FotoGuardada(foto);
  EXPECT_EQ(aviso.FotosSinEnviar, 2);
  EXPECT_FALSE(aviso.Enviando());
  activo = true;
  aviso.AlertasActivadas();
  EXPECT_EQ(aviso.FotosSinEnviar, 0);
  for (const QString& slot : aviso.FotosRecientes) EXPECT_EQ(slot, "");
}

TEST_F(SinServidor, NonNumericPortOrAMissingNewestPhotographSendNothingWithOneBeep) {
  smtp.servidor.puerto = "";
  aviso.FotoGuardada(foto);
  ASSERT_TRUE(EsperarEnvio(aviso, clock));
  EXPECT_EQ(beeper.beeps, 1);
  EXPECT_TRUE(aviso.UltimoError.contains("Puerto"));

  aviso.AlertasActivadas();
  smtp.servidor.puerto = "25";
  aviso.FotoGuardada(dir.path() + "/borrada.jpg");
  ASSERT_TRUE(EsperarEnvio(aviso, clock));
  EXPECT_EQ(beeper.beeps, 2);
  EXPECT_EQ(aviso.FotosSinEnviar, 1);
}

}  // namespace
}  // namespace miravela
