#include "alarm/grabador_fotos.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/day_folders.h"
#include "base/fake_clock.h"
#include "base/folders.h"
#include "support/fakes.h"

namespace miravela {
namespace {

TEST(Stamp, SizeByCanvasWidthAndTexts) {
  EXPECT_EQ(TamanoSello(4999), 12);
  EXPECT_EQ(TamanoSello(5000), 14);
  EXPECT_EQ(TamanoSello(9999), 14);
  EXPECT_EQ(TamanoSello(10000), 16);
  const QDateTime when(QDate(2026, 3, 7), QTime(9, 5, 3));
  EXPECT_EQ(TextoSello(when, "TIENDA"), "2026-03-07 (09:05:03) TIENDA");
  EXPECT_EQ(NombreFoto(when, 12), "2026-03-07 (090503) 12.jpg");
}

// A recorder over a temporary images folder; the encoder writes the picture's size
// so the tests can see what reached it.
class Recorder : public ::testing::Test {
 protected:
  Recorder() {
    images = dir.path() + "/img";
    QDir().mkpath(images);
    canvas = QImage(644, 484, QImage::Format_RGB32);
    canvas.fill(Qt::darkGray);
    grabador = std::make_unique<GrabadorFotos>(GrabadorFotos::Entorno{
        .clock = clock,
        .carpetaImagenes = images,
        .etiquetaCamara = tag,
        .calidadJpeg = quality,
        .archivoTemporal = dir.path() + "/PICTMP.bmp",
        .lienzo = [this] { return canvas; },
        .fijarLienzo = [this](const QImage& stamped) { canvas = stamped; },
        .twipsPorPixel = [] { return 15.0; },
        .vistaVacia = [this] { return emptyView; },
        .enMarcha = [] { return true; },
        .programadorActivo = [this] { return scheduler; },
        .diasGuardar = [this] { return days; },
        .avisoEmailActivo = [this] { return email; },
    });
    grabador->Guardada.Subscribe([this](const FotoGuardada& foto) {
      saved.push_back(foto);
      encoded << foto.ruta;
      lastPhoto = QImage(foto.ruta);
    });
  }
  QStringList Files(const QString& day) const { return QDir(images + "/" + day).entryList(QDir::Files, QDir::Name); }

  QTemporaryDir dir;
  QString images, tag = "C1";
  std::uint8_t quality = 75;
  QImage canvas, lastPhoto;
  FakeClock clock{QDateTime(QDate(2026, 12, 10), QTime(23, 59, 58))};
  bool emptyView = false, scheduler = false, email = false;
  int days = 365;
  QStringList encoded;
  std::vector<FotoGuardada> saved;
  std::unique_ptr<GrabadorFotos> grabador;
};

TEST_F(Recorder, StampedPhotographsNumberedPerDayFolder) {
  grabador->GuardarFoto();
  grabador->GuardarFoto();
  EXPECT_EQ(Files("2026-12-10"), QStringList({"2026-12-10 (235958) 1.jpg", "2026-12-10 (235958) 2.jpg"}));
  EXPECT_EQ(grabador->UltimaFoto, images + "/2026-12-10/2026-12-10 (235958) 2.jpg");
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(lastPhoto.size(), QSize(644, 484)) << "a whole photograph, decodable";
  EXPECT_TRUE(Existe(dir.path() + "/PICTMP.bmp"));
  EXPECT_FALSE(grabador->ImgRec.Visible);
  // The stamp is printed in light text near the top-left corner.
  auto lightPixels = [&](QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) count += lastPhoto.pixelColor(x, y).lightness() > 200;
    return count;
  };
  EXPECT_GT(lightPixels(QRect(50, 5, 250, 20)), 100);
  EXPECT_EQ(lightPixels(QRect(0, 40, 644, 444)), 0);

  clock.Advance(5000);  // past midnight: a new folder, the count starts again
  grabador->GuardarFoto();
  EXPECT_EQ(Files("2026-12-11"), QStringList({"2026-12-11 (000003) 1.jpg"}));
  EXPECT_EQ(grabador->CarpetaDia, "2026-12-11");
}

// The stamp must read on any scene: on white its dark rim shows, on black its light
// letters do, and a row through the text crosses rim, letter, rim.
TEST_F(Recorder, StampReadsOnWhiteAndOnBlack) {
  auto count = [&](QRect area, auto&& pick) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) n += pick(lastPhoto.pixelColor(x, y).lightness());
    return n;
  };
  auto dark = [](int l) { return l < 80; };
  auto light = [](int l) { return l > 200; };
  const QRect stamp(50, 5, 300, 22), below(0, 40, 644, 444);

  canvas.fill(Qt::white);
  grabador->GuardarFoto();
  EXPECT_GT(count(stamp, dark), 150);
  EXPECT_EQ(count(below, dark), 0);
  int crossings = 0;  // dark-to-light steps along the middle of the line, inside the letters
  for (int y = 10; y < 22; ++y)
    for (int x = 50; x < 350; ++x)
      crossings += dark(lastPhoto.pixelColor(x, y).lightness()) && light(lastPhoto.pixelColor(x + 1, y).lightness()) &&
                   count(QRect(x + 2, y, 4, 1), dark) > 0;
  EXPECT_GT(crossings, 20) << "light strokes enclosed by the rim";

  canvas.fill(Qt::black);
  clock.Advance(1000);
  grabador->GuardarFoto();
  EXPECT_GT(count(stamp, light), 100);
  EXPECT_EQ(count(below, light), 0);
}

TEST_F(Recorder, NothingIsSavedBeforeTheFirstFrame) {
  emptyView = true;
  grabador->GuardarFoto();
  EXPECT_TRUE(encoded.isEmpty());
  EXPECT_EQ(grabador->ContadorFotos, 0);
}

TEST_F(Recorder, PruningKeepsTheNewestDayFoldersAndTheUsersOwn) {
  for (const char* day : {"2026-12-01", "2026-12-04", "2026-12-05", "2026-12-08", "2026-12-09"}) {
    QDir().mkpath(images + "/" + day);
    test::WriteAll(images + "/" + day + "/" + day + " (120000) 1.jpg", "jpeg");
  }
  QDir().mkpath(images + "/0-mis-fotos");                   // sorts first; never the program's to delete
  test::WriteAll(images + "/2026-12-01/nota.txt", "mine");  // keeps its folder, stops no pruning
  scheduler = true;
  days = 3;
  grabador->GuardarFoto();
  EXPECT_EQ(CarpetasDia(images), QStringList({"2026-12-01", "2026-12-08", "2026-12-09", "2026-12-10"}));
  EXPECT_EQ(QDir(images + "/2026-12-01").entryList(QDir::Files), QStringList({"nota.txt"}));
  EXPECT_TRUE(ExisteCarpeta(images + "/0-mis-fotos"));
}

TEST_F(Recorder, APhotographAppearsOnlyWholeAndNeverReplacesAFile) {
  QDir().mkpath(images + "/2026-12-10");
  const QString taken = images + "/2026-12-10/2026-12-10 (235958) 1.jpg";
  test::WriteAll(taken, "someone else's");
  grabador->GuardarFoto();
  EXPECT_EQ(test::ReadAll(taken), "someone else's");
  EXPECT_TRUE(saved.empty()) << "nothing was written, so nothing is announced";

  grabador->GuardarFoto();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].ruta, images + "/2026-12-10/2026-12-10 (235958) 2.jpg");
  EXPECT_EQ(saved[0].cuando, clock.Now());
  // Only whole photographs are ever in the day folder: no half-written file is left beside them.
  EXPECT_EQ(QDir(images + "/2026-12-10").entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(Recorder, PruningToOneDayDeletesOnlyThePhotographs) {
  const QString old = images + "/2026-12-08", mixed = images + "/2026-12-09";
  QDir().mkpath(old);
  QDir().mkpath(mixed);
  QDir().mkpath(images + "/Vacaciones");
  test::WriteAll(old + "/2026-12-08 (101010) 1.jpg", "jpeg");
  test::WriteAll(mixed + "/2026-12-09 (111111) 1.jpg", "jpeg");
  test::WriteAll(mixed + "/notas.txt", "mine");
  test::WriteAll(images + "/leeme.txt", "mine");
  scheduler = true;
  days = 1;
  grabador->GuardarFoto();
  EXPECT_FALSE(ExisteCarpeta(old));
  EXPECT_FALSE(Existe(mixed + "/2026-12-09 (111111) 1.jpg"));
  EXPECT_TRUE(Existe(mixed + "/notas.txt"));
  EXPECT_TRUE(Existe(images + "/leeme.txt"));
  EXPECT_TRUE(ExisteCarpeta(images + "/Vacaciones"));
  EXPECT_EQ(Files("2026-12-10").size(), 1);
}

TEST_F(Recorder, NoPruningWithoutTheSchedulerOrWithZeroDays) {
  for (const char* day : {"2026-12-01", "2026-12-05", "2026-12-08"}) QDir().mkpath(images + "/" + day);
  days = 1;
  grabador->GuardarFoto();
  scheduler = true;
  days = 0;
  clock.Advance(5000);
  grabador->GuardarFoto();
  EXPECT_EQ(CarpetasDia(images).size(), 5);
}

TEST_F(Recorder, RecentPhotographsForTheMail) {
  grabador->GuardarFoto();
  EXPECT_EQ(grabador->FotosSinEnviar, 0) << "e-mail alerts off: nothing is recorded";
  EXPECT_TRUE(grabador->FotosRecientes[0].isEmpty());

  email = true;
  grabador->FotosAdjuntas = 3;
  grabador->FotosPorEnvio = 2;
  for (int i = 0; i < 4; ++i) grabador->GuardarFoto();
  EXPECT_EQ(grabador->FotosRecientes[0], encoded[2]);
  EXPECT_EQ(grabador->FotosRecientes[1], encoded[3]);
  EXPECT_EQ(grabador->FotosRecientes[2], encoded[4]);
  EXPECT_TRUE(grabador->FotosRecientes[3].isEmpty());
  EXPECT_EQ(grabador->FotosSinEnviar, 4) << "the sender resets the count only when a mail goes out";

  grabador->FotosAdjuntas = 1;
  grabador->GuardarFoto();
  EXPECT_EQ(grabador->FotosRecientes[0], encoded[5]);
  EXPECT_EQ(grabador->FotosRecientes[1], encoded[3]);
}

}  // namespace
}  // namespace miravela
