#include "view/panel/panel_widgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "panel/button_bar.h"
#include "view/colors.h"
#include "view/panel/panel_icons.h"

namespace miravela {

namespace {
void Avisar(const std::function<void()>& f) {
  if (f) f();
}
}  // namespace

PictureButton::PictureButton(const QString& recurso, QString nombre, Manejadores manejadores, QWidget* parent)
    : QWidget(parent), icono_(std::make_unique<Icono>(recurso)), m_(std::move(manejadores)) {
  setObjectName(nombre);
  setMouseTracking(true);
  setFixedSize(22, 22);
  setCursor(Qt::PointingHandCursor);
}

PictureButton::~PictureButton() = default;

void PictureButton::Refresh(bool visible, bool encendido) {
  setVisible(visible);
  if (encendido_ != encendido) {
    encendido_ = encendido;
    update();
  }
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // A switch that is on sits on the panel's pressed colour.
  p.setPen(QColor(0x70, 0x90, 0x70));
  p.setBrush(ToQColor(encendido_ ? kColorPulsado : kColorReposo));
  p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  icono_->Dibujar(p, QRectF(rect()).adjusted(2, 2, -2, -2));
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !rect().contains(e->position().toPoint())) return;
  Avisar(m_.click);
  Avisar(m_.cambiado);
}

void PictureButton::mouseMoveEvent(QMouseEvent*) {
  Avisar(m_.mover);
  Avisar(m_.cambiado);
}

RecordingLight::RecordingLight(const Control& imgRec, QWidget* parent)
    : QWidget(parent), imgRec_(imgRec), icono_(std::make_unique<Icono>(kIconoGrabando)) {
  setObjectName("ImgRec");
  setFixedSize(44, 16);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

RecordingLight::~RecordingLight() = default;

void RecordingLight::Refresh() { setVisible(imgRec_.Visible); }

void RecordingLight::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 150));
  p.drawRoundedRect(rect(), 4, 4);
  icono_->Dibujar(p, QRectF(2, 2, 12, 12));
  QFont f = font();
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(16, 0, width() - 17, height()), Qt::AlignCenter, QStringLiteral("REC"));
}

ReadoutBox::ReadoutBox(const Control& txtSensor, std::function<void()> mover, QWidget* parent)
    : QLabel(parent), txtSensor_(txtSensor), mover_(std::move(mover)) {
  setObjectName("TxtSensor");
  setMouseTracking(true);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setStyleSheet(QStringLiteral("QLabel { background: white; color: #202020; padding: 1px 4px; }"));
  QFont f = font();
  f.setFamily(QStringLiteral("DejaVu Sans Mono"));
  f.setPixelSize(12);
  setFont(f);
}

void ReadoutBox::Refresh() {
  setVisible(txtSensor_.Visible);
  if (text() != txtSensor_.Caption) {
    setText(txtSensor_.Caption);
    // The box is as wide as its figures, as the frame loop sizes it.
    setFixedWidth(fontMetrics().horizontalAdvance(txtSensor_.Caption) + 2 * frameWidth() + 10);
  }
}

void ReadoutBox::mouseMoveEvent(QMouseEvent*) { Avisar(mover_); }

LinkLabel::LinkLabel(const Control& control, QString nombre, Manejadores manejadores, QWidget* parent)
    : QLabel(parent), control_(control), m_(std::move(manejadores)) {
  setObjectName(nombre);
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::Refresh() {
  setVisible(control_.Visible);
  if (text() != control_.Caption) setText(control_.Caption);
  const QString estilo =
      QStringLiteral("QLabel { color: %1; background: transparent; }").arg(ToQColor(control_.ForeColor).name());
  if (styleSheet() != estilo) setStyleSheet(estilo);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !rect().contains(e->position().toPoint())) return;
  Avisar(m_.click);
  Avisar(m_.cambiado);
}

void LinkLabel::mouseMoveEvent(QMouseEvent*) {
  Avisar(m_.mover);
  Avisar(m_.cambiado);
}

SuspensionBanner::SuspensionBanner(const Control& lblFondo3, QWidget* parent) : QLabel(parent), lblFondo3_(lblFondo3) {
  setObjectName("LblFondo3");
  setAlignment(Qt::AlignCenter);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  QFont f(QStringLiteral("DejaVu Sans Mono"));
  f.setPixelSize(34);
  f.setBold(true);
  setFont(f);
  setStyleSheet(
      QStringLiteral("QLabel { color: #ffffff; background: rgba(0, 0, 0, 170); border: 2px solid #ff8080; "
                     "border-radius: 6px; }"));
}

void SuspensionBanner::Refresh() {
  setVisible(lblFondo3_.Visible);
  if (text() != lblFondo3_.Caption) setText(lblFondo3_.Caption);
  raise();
}

}  // namespace miravela
