#include "view/main_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "base/twips.h"
#include "view/button_widget.h"
#include "view/colors.h"
#include "view/detect/preview_widget.h"
#include "view/sensors/sensors_view.h"

namespace miravela {

// The 324 x 244 preview; while no camera is connected it shows the placeholder.
class PreviewArea : public QWidget {
 public:
  explicit PreviewArea(QWidget* parent) : QWidget(parent) {
    setFixedSize(324, 244);
    setObjectName("Picture3");
    setMouseTracking(true);
  }
  Form1* model = nullptr;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(0x20, 0x20, 0x20));
    // Picture3: the resting picture of a disconnected camera.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x50, 0x50, 0x50));
    p.drawRoundedRect(QRect(112, 82, 80, 56), 8, 8);
    p.drawPolygon(QPolygon({QPoint(190, 98), QPoint(214, 86), QPoint(214, 134), QPoint(190, 122)}));
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawEllipse(QPoint(152, 110), 16, 16);
    p.setPen(QColor(0xB0, 0xB0, 0xB0));
    QFont f = font();
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 150, width(), 30), Qt::AlignCenter, QString::fromUtf8("CÁMARA DESCONECTADA"));
  }
  void mouseMoveEvent(QMouseEvent*) override {
    if (model) model->Botones.EsconderBotones();
  }
};

namespace {
const char* const kGlyphs[ButtonBar::kBotones] = {"CAM", "IMG", "CFG", "ALR", "ALR", "PRG", "@",   "ZNA",
                                                  "C1",  "C2",  "C3",  "C4",  "C5",  "NUB", "SND", "OBJ"};
}

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  auto* top = new QHBoxLayout();
  top->setSpacing(8);
  layout->addLayout(top);
  previewHolder_ = new QWidget(this);
  previewHolder_->setFixedSize(324, 244);
  top->addWidget(previewHolder_, 0, Qt::AlignTop);
  setProperty("topLayout", QVariant::fromValue<void*>(top));
  preview_ = new PreviewArea(previewHolder_);

  cameras_ = new CameraList(this);
  cameras_->setObjectName("CboDriver");
  layout->addWidget(cameras_);

  help_ = new QLabel(this);
  help_->setObjectName("LblAyuda");
  help_->setAlignment(Qt::AlignCenter);
  help_->setMinimumHeight(18);
  layout->addWidget(help_);

  auto* bar = new QHBoxLayout();
  bar->setSpacing(2);
  layout->addLayout(bar);
  auto* refresher = new QTimer(this);
  connect(refresher, &QTimer::timeout, this, &MainWindow::Refresh);
  refresher->start(100);
  // Buttons are made once the model is known.
  setProperty("barLayout", QVariant::fromValue<void*>(bar));
}

void MainWindow::SetModel(Form1* model) {
  model_ = model;
  preview_->model = model;
  live_ = new PreviewWidget(model->pictures.Picture1, &model->zona(), &model->seguimiento(), previewHolder_);
  live_->OnPictureMouseMove = [model] { model->Botones.EsconderBotones(); };
  live_->lower();
  cameras_->model = model;
  sensors_ = new SensorsView(model->sensores(), model->Botones.LblAyuda, this);
  sensors_->Cambiado = [this] { Refresh(); };
  static_cast<QHBoxLayout*>(property("topLayout").value<void*>())->addWidget(sensors_, 0, Qt::AlignTop);
  connect(cameras_, qOverload<int>(&QComboBox::activated), this,
          [this](int index) { model_->conexion().CboDriver.ListIndex = index; });
  auto* bar = static_cast<QHBoxLayout*>(property("barLayout").value<void*>());
  for (int i = 0; i < ButtonBar::kBotones; ++i) {
    buttons_[static_cast<std::size_t>(i)] = new ButtonWidget(model->Botones, i, QString::fromUtf8(kGlyphs[i]), this);
    bar->addWidget(buttons_[static_cast<std::size_t>(i)]);
  }
  bar->addStretch();
  Refresh();
}

void MainWindow::Refresh() {
  if (!model_) return;
  if (windowTitle() != model_->Caption) setWindowTitle(model_->Caption);
  const Control& ayuda = model_->Botones.LblAyuda;
  if (help_->text() != ayuda.Caption) help_->setText(ayuda.Caption);
  FijarEstilo(help_, QStringLiteral("color: %1;").arg(ToQColor(ayuda.ForeColor).name()));
  for (ButtonWidget* b : buttons_)
    if (b) b->Refresh();
  preview_->setVisible(model_->pictures.Picture3.Visible);
  live_->Refresh();
  sensors_->Refresh();
  RefreshCameras();
}

void MainWindow::RefreshCameras() {
  const ComboBox& cbo = model_->conexion().CboDriver;
  QStringList shown;
  for (int i = 0; i < cameras_->count(); ++i) shown << cameras_->itemText(i);
  if (shown != cbo.List) {
    cameras_->clear();
    cameras_->addItems(cbo.List);
  }
  if (cameras_->currentIndex() != cbo.ListIndex) cameras_->setCurrentIndex(cbo.ListIndex);
  FijarEstilo(cameras_, QStringLiteral("QComboBox { background: %1; }").arg(ToQColor(cbo.BackColor).name()));
}

void MainWindow::ApplyPosition(double tppX, double tppY) {
  move(PixelDeTwips(model_->Left, tppX), PixelDeTwips(model_->Top, tppY));
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!model_ || !screen()) return;
  model_->Left = TwipsDePixeles(x(), TwipsPorPixel(screen()->logicalDotsPerInchX()));
  model_->Top = TwipsDePixeles(y(), TwipsPorPixel(screen()->logicalDotsPerInchY()));
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!model_ || model_->Fondo.isNull()) return;
  QPainter p(this);
  p.drawImage(rect(), model_->Fondo);
}

void MainWindow::mouseMoveEvent(QMouseEvent*) {
  if (model_) model_->Botones.EsconderBotones();
  Refresh();
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && model_)
    model_->Form_Resize(!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!model_ || model_->Terminado || closing_) {
    event->accept();
    return;
  }
  if (model_->Form_QueryUnload()) {
    event->ignore();
    return;
  }
  closing_ = true;
  model_->Form_Unload();
  event->accept();
}

}  // namespace miravela
