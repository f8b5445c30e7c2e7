#include "view/qt_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "base/twips.h"

namespace miravela {

RespuestaMensaje QtMessageBox::Show(const QString& text, const QString& title, IconoMensaje icon,
                                    BotonesMensaje buttons, RespuestaMensaje defaultButton) {
  QMessageBox box(parent_);
  box.setWindowTitle(title);
  box.setText(text);
  switch (icon) {
    case IconoMensaje::Critico:
      box.setIcon(QMessageBox::Critical);
      break;
    case IconoMensaje::Pregunta:
      box.setIcon(QMessageBox::Question);
      break;
    case IconoMensaje::Exclamacion:
      box.setIcon(QMessageBox::Warning);
      break;
    case IconoMensaje::Informacion:
      box.setIcon(QMessageBox::Information);
      break;
    case IconoMensaje::Ninguno:
      break;
  }
  if (buttons == BotonesMensaje::SiNo) {
    QPushButton* si = box.addButton(QString::fromUtf8("Sí"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(defaultButton == RespuestaMensaje::Si ? si : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == si ? RespuestaMensaje::Si : RespuestaMensaje::No;
  }
  box.setDefaultButton(box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole));
  box.exec();
  return RespuestaMensaje::Aceptar;
}

void QtBeeper::Beep() { QApplication::beep(); }

QString QtFolderChooser::Choose(const QString& prompt) { return QFileDialog::getExistingDirectory(parent_, prompt); }

static QScreen* ScreenOf(QWidget* w) { return w->screen() ? w->screen() : QGuiApplication::primaryScreen(); }

double QtWindowHost::TwipsPerPixelX() { return TwipsPorPixel(ScreenOf(window_)->logicalDotsPerInchX()); }
double QtWindowHost::TwipsPerPixelY() { return TwipsPorPixel(ScreenOf(window_)->logicalDotsPerInchY()); }

QSize QtWindowHost::ScreenSizeTwips() {
  const QSize px = ScreenOf(window_)->size();
  return {TwipsDePixeles(px.width(), TwipsPerPixelX()), TwipsDePixeles(px.height(), TwipsPerPixelY())};
}

void QtWindowHost::SetTopmost() {
  if (window_->windowFlags() & Qt::WindowStaysOnTopHint) return;
  const bool shown = window_->isVisible();
  window_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  if (shown) window_->show();
}

void QtWindowHost::Minimize() { window_->showMinimized(); }
void QtWindowHost::Close() { window_->close(); }
void QtWindowHost::ProcessEvents() { QCoreApplication::processEvents(); }

}  // namespace miravela
