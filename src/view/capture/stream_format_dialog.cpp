#include "view/capture/stream_format_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "capture/format_choices.h"

namespace miravela {
namespace {

QString SizeText(QSize size) { return QStringLiteral("%1 × %2").arg(size.width()).arg(size.height()); }

QString RateText(const FrameRate& rate) {
  return QString::number(rate.Fps(), 'g', 4) + QStringLiteral(" cuadros por segundo");
}

}  // namespace

StreamFormatDialog::StreamFormatDialog(const QString& camera, std::vector<FormatOption> offered,
                                       const std::optional<StreamFormat>& current, QWidget* parent)
    : QDialog(parent), offered_(std::move(offered)) {
  setWindowTitle(QStringLiteral("Miravela - Formato de Imagen"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Cámara: %1").arg(camera)));
  auto* buttons = new QDialogButtonBox(this);
  if (offered_.empty()) {
    layout->addWidget(new QLabel(QStringLiteral("Esta cámara no ofrece formatos para elegir.")));
    buttons->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::RejectRole);
  } else {
    auto* form = new QFormLayout;
    pixels_ = new QComboBox(this);
    sizes_ = new QComboBox(this);
    rates_ = new QComboBox(this);
    form->addRow(QStringLiteral("Formato de píxeles:"), pixels_);
    form->addRow(QStringLiteral("Tamaño de imagen:"), sizes_);
    form->addRow(QStringLiteral("Frecuencia:"), rates_);
    layout->addLayout(form);
    for (const QString& pixel : PixelFormatsOffered(offered_))
      pixels_->addItem(PixelFormatLabel(offered_, pixel), pixel);
    connect(pixels_, &QComboBox::currentIndexChanged, this, [this] { FillSizes(); });
    connect(sizes_, &QComboBox::currentIndexChanged, this, [this] { FillRates(); });
    FillSizes();
    Select(current);
    buttons->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
  }
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void StreamFormatDialog::FillSizes() {
  const QSignalBlocker block(sizes_);
  sizes_->clear();
  for (const QSize& size : SizesOffered(offered_, pixels_->currentData().toString()))
    sizes_->addItem(SizeText(size), size);
  FillRates();
}

void StreamFormatDialog::FillRates() {
  rates_->clear();
  const auto rates = RatesOffered(offered_, pixels_->currentData().toString(), sizes_->currentData().toSize());
  for (const FrameRate& rate : rates) rates_->addItem(RateText(rate), QSize(rate.num, rate.den));
  rates_->setEnabled(!rates.empty());
}

void StreamFormatDialog::Select(const std::optional<StreamFormat>& current) {
  if (!current) return;
  const int pixel = pixels_->findData(current->pixelFormat);
  if (pixel >= 0) pixels_->setCurrentIndex(pixel);
  const int size = sizes_->findData(current->size);
  if (size >= 0) sizes_->setCurrentIndex(size);
  for (int i = 0; i < rates_->count(); ++i) {
    const QSize fraction = rates_->itemData(i).toSize();
    if (FrameRate{fraction.width(), fraction.height()} == current->rate) rates_->setCurrentIndex(i);
  }
}

std::optional<StreamFormat> StreamFormatDialog::Chosen() const {
  if (!pixels_ || pixels_->currentIndex() < 0 || sizes_->currentIndex() < 0) return std::nullopt;
  StreamFormat format;
  format.pixelFormat = pixels_->currentData().toString();
  format.size = sizes_->currentData().toSize();
  if (rates_->currentIndex() >= 0) {
    const QSize fraction = rates_->currentData().toSize();
    format.rate = {fraction.width(), fraction.height()};
  }
  return format;
}

}  // namespace miravela
