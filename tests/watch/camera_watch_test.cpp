#include "watch/camera_watch.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "base/fake_clock.h"
#include "watch/luma.h"

namespace miravela {
namespace {

using Event = CameraWatchEvent;

// A picture with a lot of detail, different each time it is made.
QImage Scene(int seed) {
  QImage image(160, 120, QImage::Format_RGB32);
  image.fill(Qt::darkGray);
  QPainter p(&image);
  for (int i = 0; i < 12; ++i)
    p.fillRect((i * 37 + seed) % 150, (i * 23) % 110, 20, 14, QColor::fromHsv(i * 30, 200, 40 + i * 17));
  return image;
}

QImage Flat(int grey) {
  QImage image(160, 120, QImage::Format_RGB32);
  image.fill(QColor(grey, grey, grey));
  return image;
}

TEST(LumaTest, DetailIsTheSpreadOfCellMeans) {
  EXPECT_DOUBLE_EQ(MeasureLuma(Flat(90)).detail, 0);
  EXPECT_NEAR(MeasureLuma(Flat(90)).mean, 90, 0.5);
  QImage halves = Flat(0);
  QPainter(&halves).fillRect(0, 0, 80, 120, Qt::white);
  EXPECT_NEAR(MeasureLuma(halves).detail, 127.5, 0.5);
  EXPECT_NEAR(MeasureLuma(halves).mean, 127.5, 0.5);
  EXPECT_GT(MeasureLuma(Scene(0)).detail, kSueloDetalle * kFactorDetallado);
  // Any picture format, any size down to a single pixel.
  EXPECT_NEAR(MeasureLuma(halves.convertToFormat(QImage::Format_Grayscale8)).detail, 127.5, 0.5);
  EXPECT_DOUBLE_EQ(MeasureLuma(Flat(7).scaled(1, 1)).detail, 0);
  EXPECT_DOUBLE_EQ(MeasureLuma(QImage()).detail, 0);
}

class CameraWatchTest : public ::testing::Test {
 protected:
  void Make(int seconds) {
    ajustes_.vigiaSegundos = seconds;
    watch_ = std::make_unique<CameraWatch>(CameraWatch::Entorno{.clock = clock_,
                                                                .ajustes = ajustes_,
                                                                .fotograma = [this] { return camera_; },
                                                                .avisar =
                                                                    [this](Event e) {
                                                                      said_.push_back({e, Millis()});
                                                                    }});
  }
  qint64 Millis() const { return start_.msecsTo(clock_.Now()); }
  // A camera that delivers a frame every `every` ms for `ms`, as the frame loop takes them.
  void Stream(qint64 ms, qint64 every = 200, std::function<QImage(int)> make = Scene) {
    for (qint64 t = 0; t < ms; t += every) {
      camera_ = make(frames_++);
      watch_->Visto(camera_);
      clock_.Advance(every);
    }
  }
  void Silence(qint64 ms, bool cleared = true) {
    if (cleared) camera_ = QImage();
    for (qint64 t = 0; t < ms; t += 200) {
      watch_->Visto(camera_);
      clock_.Advance(200);
    }
  }
  std::vector<Event> Events() const {
    std::vector<Event> out;
    for (const auto& [e, t] : said_) out.push_back(e);
    return out;
  }

  FakeClock clock_;
  AjustesVigilancia ajustes_;
  QDateTime start_ = clock_.Now();
  QImage camera_;
  int frames_ = 0;
  std::unique_ptr<CameraWatch> watch_;
  std::vector<std::pair<Event, qint64>> said_;
};

// Frames stop: lost after the watch time, once; they come back: recovered, and the
// return is flagged before the first frame back can be used.
TEST_F(CameraWatchTest, LostAfterTheWatchTimeAndRecovered) {
  Make(30);
  Stream(2000);  // not yet connected: nothing is watched
  watch_->Vigilar(true);
  Stream(10000);
  ASSERT_EQ(Events(), std::vector<Event>{Event::Reanudada});  // the first frame after connecting
  said_.clear();
  const qint64 lastFrame = Millis() - 200;
  Silence(60000);
  ASSERT_EQ(Events(), std::vector<Event>{Event::Perdida});
  EXPECT_GE(said_[0].second - lastFrame, 30000);
  EXPECT_LE(said_[0].second - lastFrame, 31000);
  EXPECT_TRUE(watch_->Perdida());

  camera_ = Scene(99);
  watch_->Visto(camera_);
  EXPECT_EQ(Events(), (std::vector<Event>{Event::Perdida, Event::Recuperada, Event::Reanudada}));
  EXPECT_FALSE(watch_->Perdida());
}

// A source that hands out its last picture again and again has stopped just the same;
// a short gap is no loss but still a return; a disconnected camera is not watched.
TEST_F(CameraWatchTest, RepeatedPictureShortGapAndDisconnection) {
  Make(5);
  watch_->Vigilar(true);
  Stream(1000);
  said_.clear();
  Silence(6000, /*cleared=*/false);
  EXPECT_EQ(Events(), std::vector<Event>{Event::Perdida});
  Stream(1000);
  said_.clear();

  Silence(3000);
  Stream(1000);
  EXPECT_EQ(Events(), std::vector<Event>{Event::Reanudada});
  said_.clear();

  watch_->Vigilar(false);
  EXPECT_FALSE(watch_->TmrVigia.Enabled());
  Silence(60000);
  EXPECT_TRUE(said_.empty());
}

TEST_F(CameraWatchTest, ZeroSwitchesTheWatchOff) {
  Make(0);
  watch_->Vigilar(true);
  EXPECT_FALSE(watch_->TmrVigia.Enabled());
  Stream(1000);
  Silence(120000);
  Stream(2000, 200, [](int) { return Flat(3); });
  Silence(120000);
  for (Event e : Events()) EXPECT_EQ(e, Event::Reanudada);
}

// The clock set forward by an hour (or a machine waking up) is not an hour without frames.
TEST_F(CameraWatchTest, ClockJumpIsNoLoss) {
  Make(30);
  watch_->Vigilar(true);
  Stream(2000);
  clock_.SetNow(clock_.Now().addSecs(3600));
  Stream(10000);
  clock_.SetNow(clock_.Now().addSecs(-7200));
  Stream(40000);
  EXPECT_EQ(Events(), std::vector<Event>{Event::Reanudada});
}

TEST_F(CameraWatchTest, CoveredLensAfterTheWatchTime) {
  Make(10);
  watch_->Vigilar(true);
  Stream(3000);
  said_.clear();
  const qint64 covered = Millis();
  Stream(30000, 200, [](int i) { return Flat(6 + i % 3); });
  ASSERT_EQ(Events(), std::vector<Event>{Event::Tapada});
  EXPECT_NEAR(static_cast<double>(said_[0].second - covered), 10000, 400);
  EXPECT_TRUE(watch_->Tapada());
  Stream(1000);
  EXPECT_FALSE(watch_->Tapada());
  EXPECT_EQ(said_.size(), 1u);
}

}  // namespace
}  // namespace miravela
