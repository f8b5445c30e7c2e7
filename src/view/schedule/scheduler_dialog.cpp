#include "view/schedule/scheduler_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "view/colors.h"

namespace miravela {

namespace {

// A list that reports being opened, so the model can give its hint.
class HintList : public QComboBox {
 public:
  HintList(std::function<void()> opened, QWidget* parent) : QComboBox(parent), opened_(std::move(opened)) {}
  void showPopup() override {
    opened_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> opened_;
};

QString Background(Color c) { return QStringLiteral("background: %1;").arg(ToQColor(c).name()); }

}  // namespace

SchedulerDialog::SchedulerDialog(Form2& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(model_.Caption);
  auto* grid = new QGridLayout(this);
  for (int k = 0; k < kFuncionesProgramadas; ++k) {
    auto* box = new QCheckBox(model_.ChkFuncion[k].Caption, this);
    boxes_[k] = box;
    connect(box, &QCheckBox::clicked, this, [this, k](bool checked) {
      model_.ChkFuncion[k].Value = checked ? 1 : 0;
      model_.ChkFuncion_Click(k);
      Refresh();
    });
    grid->addWidget(box, k, 0);
    for (int pair = 0; pair < 2; ++pair) {
      auto* time = new QHBoxLayout;
      time->addWidget(MakeList(4 * k + 2 * pair));
      time->addWidget(new QLabel(QStringLiteral(":"), this));
      time->addWidget(MakeList(4 * k + 2 * pair + 1));
      grid->addLayout(time, k, 1 + pair);
    }
  }
  grid->addWidget(new QLabel(model_.LblStorage.Caption, this), kFuncionesProgramadas, 0);
  storage_ = new QLineEdit(this);
  storage_->setMaxLength(model_.TxtStorage.MaxLength);
  storage_->installEventFilter(this);
  connect(storage_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!model_.TxtStorage_Change(text)) storage_->setText(model_.TxtStorage.Text);
  });
  grid->addWidget(storage_, kFuncionesProgramadas, 1);

  accept_ = new QPushButton(model_.Aceptar.Caption, this);
  cancel_ = new QPushButton(model_.Cancelar.Caption, this);
  accept_->setAutoDefault(false);
  cancel_->setAutoDefault(false);
  connect(accept_, &QPushButton::clicked, this, [this] {
    model_.Aceptar_Click();
    Refresh();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    model_.Cancelar_Click();
    Refresh();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(accept_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, kFuncionesProgramadas + 1, 0, 1, 3);
  Refresh();
}

QComboBox* SchedulerDialog::MakeList(int i) {
  auto* list = new HintList([this, i] { model_.CboHora_DropDown(i); }, this);
  list->addItems(model_.CboHora[i].List);
  list->setToolTip(Form2::AyudaLista(i));
  connect(list, &QComboBox::activated, this, [this, i](int index) { model_.CboHora[i].ListIndex = index; });
  lists_[i] = list;
  return list;
}

void SchedulerDialog::Refresh() {
  for (int k = 0; k < kFuncionesProgramadas; ++k) boxes_[k]->setChecked(model_.ChkFuncion[k].Value == 1);
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const ComboBox& m = model_.CboHora[i];
    lists_[i]->setCurrentIndex(m.ListIndex);
    lists_[i]->setEnabled(m.Enabled);
    lists_[i]->setStyleSheet(Background(m.BackColor));
  }
  if (storage_->text() != model_.TxtStorage.Text) storage_->setText(model_.TxtStorage.Text);
  if (model_.Resultado() == Form2::Cierre::Aceptado) accept();
  if (model_.Resultado() == Form2::Cierre::Cancelado) reject();
}

void SchedulerDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    model_.Form_KeyPress(kTeclaEscape);
    Refresh();
    return;
  }
  QDialog::keyPressEvent(event);
}

void SchedulerDialog::closeEvent(QCloseEvent* event) {
  model_.Form_Unload();
  QDialog::closeEvent(event);
}

// The storage field's keys: the model decides which characters reach the field.
bool SchedulerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == storage_ && event->type() == QEvent::FocusIn) {
    model_.TxtStorage_GotFocus();
    QMetaObject::invokeMethod(storage_, &QLineEdit::selectAll, Qt::QueuedConnection);
  }
  if (watched == storage_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    int ascii = 0;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
      ascii = kTeclaIntro;
    else if (key->key() == Qt::Key_Backspace)
      ascii = kTeclaRetroceso;
    else if (key->key() == Qt::Key_Escape)
      return false;  // the dialog's own key
    else if (key->text().size() == 1 && key->text()[0].unicode() >= 32 && key->text()[0].unicode() < 127)
      ascii = key->text()[0].unicode();
    if (ascii == 0) return false;  // moving keys and deletion are the field's own
    const bool passed = model_.TxtStorage_KeyPress(ascii) != 0;
    if (model_.Foco == &model_.ChkFuncion[kFuncionCamara]) boxes_[kFuncionCamara]->setFocus();
    return !passed;
  }
  return QDialog::eventFilter(watched, event);
}

void QtDialogoProgramador::Mostrar(Form2& dialogo) {
  SchedulerDialog dialog(dialogo, parent_);
  dialog.exec();
  dialogo.Form_Unload();  // closed any way the model did not see counts as cancelled
}

}  // namespace miravela
