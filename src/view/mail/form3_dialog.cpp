#include "view/mail/form3_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "view/colors.h"

namespace miravela {
namespace {

void Fondo(QLabel* label, Color color) {
  label->setStyleSheet(QStringLiteral("QLabel { background-color: %1; padding: 4px 10px; font-weight: bold; }")
                           .arg(ToQColor(color).name()));
}

}  // namespace

Form3Dialog::Form3Dialog(Form3& form, std::function<void()> alCambiar, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), form_(form), alCambiar_(std::move(alCambiar)) {
  setWindowTitle(QStringLiteral("Miravela - Aviso por E-MAIL"));
  setMouseTracking(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(CrearCampos());
  layout->addLayout(CrearBotones());
  Refrescar();
}

QLayout* Form3Dialog::CrearCampos() {
  auto* grid = new QGridLayout;
  for (int i = 0; i < Form3::kCampos; ++i) {
    const auto at = static_cast<std::size_t>(i);
    auto* edit = new QLineEdit(form_.TxtCall[at].Text, this);
    edit->setMaxLength(form_.TxtCall[at].MaxLength);
    if (!form_.TxtCall[at].PasswordChar.isNull()) {
      edit->setEchoMode(QLineEdit::Password);
      edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                              .arg(form_.TxtCall[at].PasswordChar.unicode()));
    }
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, i, edit](const QString& text) {
      if (!form_.TxtCall_Change(i, text)) edit->setText(form_.TxtCall[static_cast<std::size_t>(i)].Text);
    });
    connect(edit, &QLineEdit::returnPressed, this, [this, i] {
      if (form_.TxtCall_KeyPress(i, Form3::kTeclaEnter)) Refrescar();
    });
    campos_[at] = edit;
    grid->addWidget(new QLabel(form_.LblCall[at].Caption, this), i, 0);
    grid->addWidget(edit, i, 1);
  }
  auto_ = new QCheckBox(form_.ChkAutoAsunto.Caption, this);
  auto_->setChecked(form_.ChkAutoAsunto.Value != 0);
  connect(auto_, &QCheckBox::clicked, this, [this] {
    form_.ChkAutoAsunto_Click();
    Refrescar();
  });
  grid->addWidget(auto_, 0, 2);

  auto lista = [this](ComboBox& modelo) {
    auto* combo = new QComboBox(this);
    combo->addItems(modelo.List);
    combo->setCurrentIndex(modelo.ListIndex);
    connect(combo, &QComboBox::currentIndexChanged, this, [&modelo](int index) { modelo.ListIndex = index; });
    return combo;
  };
  imagen_ = lista(form_.CboImagen);
  redial_ = lista(form_.CboRedial);
  grid->addWidget(new QLabel(form_.LblCall[9].Caption, this), Form3::kCampos, 0);
  grid->addWidget(imagen_, Form3::kCampos, 1);
  grid->addWidget(new QLabel(form_.LblCall[10].Caption, this), Form3::kCampos + 1, 0);
  grid->addWidget(redial_, Form3::kCampos + 1, 1);
  return grid;
}

QLabel* Form3Dialog::BotonEtiqueta(int indice) {
  auto* label = new QLabel(form_.LblCall[static_cast<std::size_t>(indice)].Caption, this);
  label->setAlignment(Qt::AlignCenter);
  label->setMouseTracking(true);
  label->setCursor(Qt::PointingHandCursor);
  label->installEventFilter(this);
  return label;
}

QLayout* Form3Dialog::CrearBotones() {
  auto* row = new QHBoxLayout;
  ayuda_ = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(form_.LblAyudaMail.Caption), this);
  connect(ayuda_, &QLabel::linkActivated, this, [this] { form_.LblAyudaMail_Click(); });
  aceptar_ = BotonEtiqueta(Form3::kAceptar);
  cancelar_ = BotonEtiqueta(Form3::kCancelar);
  row->addWidget(ayuda_);
  row->addStretch();
  row->addWidget(aceptar_);
  row->addWidget(cancelar_);
  return row;
}

bool Form3Dialog::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < Form3::kCampos; ++i) {
    if (watched == campos_[static_cast<std::size_t>(i)] && event->type() == QEvent::FocusIn) {
      form_.TxtCall_GotFocus(i);
      if (alCambiar_) alCambiar_();
    }
  }
  const int boton = watched == aceptar_ ? Form3::kAceptar : watched == cancelar_ ? Form3::kCancelar : -1;
  if (boton < 0) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseMove:
      form_.LblCall_MouseMove(boton);
      break;
    case QEvent::MouseButtonPress:
      form_.LblCall_MouseDown(boton);
      break;
    case QEvent::MouseButtonRelease: {
      form_.LblCall_MouseUp(boton);
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) form_.LblCall_Click(boton);
      break;
    }
    default:
      return QDialog::eventFilter(watched, event);
  }
  Refrescar();
  return true;
}

void Form3Dialog::mouseMoveEvent(QMouseEvent* event) {
  form_.Form_MouseMove();
  Refrescar();
  QDialog::mouseMoveEvent(event);
}

void Form3Dialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  adjustSize();
  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  campos_[static_cast<std::size_t>(form_.Foco)]->setFocus();
}

void Form3Dialog::reject() {
  form_.Escape();
  Refrescar();
}

void Form3Dialog::Refrescar() {
  for (int i = 0; i < Form3::kCampos; ++i) {
    QLineEdit* edit = campos_[static_cast<std::size_t>(i)];
    const QString& text = form_.TxtCall[static_cast<std::size_t>(i)].Text;
    if (edit->text() != text) edit->setText(text);
  }
  auto_->setChecked(form_.ChkAutoAsunto.Value != 0);
  if (aceptar_) Fondo(aceptar_, form_.LblCall[Form3::kAceptar].BackColor);
  if (cancelar_) Fondo(cancelar_, form_.LblCall[Form3::kCancelar].BackColor);
  QLineEdit* foco = campos_[static_cast<std::size_t>(form_.Foco)];
  if (isVisible() && !foco->hasFocus()) foco->setFocus();
  if (alCambiar_) alCambiar_();
  if (!form_.Abierto && isVisible()) done(form_.Confirmado ? Accepted : Rejected);
}

void QtVentanaForm3::MostrarModal(Form3& form) {
  Form3Dialog dialog(form, alCambiar_, parent_);
  dialog.exec();
}

}  // namespace miravela
