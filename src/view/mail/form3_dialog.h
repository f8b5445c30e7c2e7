#pragma once
// The e-mail settings dialog: draws the Form3 model and forwards every user event to it.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <functional>

#include "alarm/mail/form3.h"

namespace miravela {

class Form3Dialog : public QDialog {
  Q_OBJECT
 public:
  // `alCambiar` lets the main window redraw its help line, which the dialog writes.
  Form3Dialog(Form3& form, std::function<void()> alCambiar, QWidget* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  QLayout* CrearCampos();
  QLayout* CrearBotones();
  void Refrescar();
  QLabel* BotonEtiqueta(int indice);

  Form3& form_;
  std::function<void()> alCambiar_;
  std::array<QLineEdit*, Form3::kCampos> campos_{};
  QCheckBox* auto_ = nullptr;
  QComboBox* imagen_ = nullptr;
  QComboBox* redial_ = nullptr;
  QLabel* aceptar_ = nullptr;
  QLabel* cancelar_ = nullptr;
  QLabel* ayuda_ = nullptr;
};

class QtVentanaForm3 : public VentanaForm3 {
 public:
  QtVentanaForm3(QWidget* parent, std::function<void()> alCambiar)
      : parent_(parent), alCambiar_(std::move(alCambiar)) {}
  void MostrarModal(Form3& form) override;

 private:
  QWidget* parent_;
  std::function<void()> alCambiar_;
};

}  // namespace miravela
