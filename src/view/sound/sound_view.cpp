#include "view/sound/sound_view.h"

#include <QVBoxLayout>

#include "view/colors.h"

namespace miravela {
namespace {

void Raise(const std::function<void()>& f) {
  if (f) f();
}

}  // namespace

AlarmSoundList::AlarmSoundList(AlarmasSonido& alarmas, QWidget* parent) : QComboBox(parent), alarmas_(alarmas) {
  setObjectName("CboAlarma");
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
    alarmas_.CboAlarma.ListIndex = index;
    Raise(Cambiado);
  });
}

void AlarmSoundList::showPopup() {
  alarmas_.CboAlarma_DropDown();
  Raise(Cambiado);
  QComboBox::showPopup();
}

void AlarmSoundList::Refresh() {
  const ComboBox& cbo = alarmas_.CboAlarma;
  QStringList shown;
  for (int i = 0; i < count(); ++i) shown << itemText(i);
  if (shown != cbo.List) {
    clear();
    addItems(cbo.List);
  }
  if (currentIndex() != cbo.ListIndex) setCurrentIndex(cbo.ListIndex);
  setStyleSheet(QStringLiteral("QComboBox { background: %1; }").arg(ToQColor(cbo.BackColor).name()));
  setVisible(cbo.Visible);
}

EffectsList::EffectsList(EfectosSonido& efectos, QWidget* parent) : QListWidget(parent), efectos_(efectos) {
  setObjectName("FilEfectoSonido");
  setMouseTracking(true);
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    efectos_.FilEfectoSonido.ListIndex = row(item);
    efectos_.FilEfectoSonido_Click();
    Raise(Cambiado);
  });
}

void EffectsList::mouseMoveEvent(QMouseEvent* event) {
  efectos_.FilEfectoSonido_MouseMove();
  Raise(Cambiado);
  QListWidget::mouseMoveEvent(event);
}

void EffectsList::Refresh() {
  const ListaArchivos& lista = efectos_.FilEfectoSonido;
  QStringList shown;
  for (int i = 0; i < count(); ++i) shown << item(i)->text();
  if (shown != lista.List) {
    clear();
    addItems(lista.List);
  }
  if (currentRow() != lista.ListIndex) setCurrentRow(lista.ListIndex);
  setVisible(lista.Visible);
}

SoundView::SoundView(SubsistemaSonido& sonido, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  alarmas_ = new AlarmSoundList(sonido.alarmas, this);
  efectos_ = new EffectsList(sonido.efectos, this);
  layout->addWidget(alarmas_);
  layout->addWidget(efectos_);
  for (auto* cambiado : {&alarmas_->Cambiado, &efectos_->Cambiado}) {
    *cambiado = [this] {
      Refresh();
      Raise(Cambiado);
    };
  }
}

void SoundView::Refresh() {
  alarmas_->Refresh();
  efectos_->Refresh();
}

}  // namespace miravela
