#pragma once
// The scheduler's dialog over its model: every user event goes to the model's
// handler, and the widgets are redrawn from the model after each.
#include <QDialog>
#include <array>

#include "schedule/form2.h"
#include "schedule/programador_tareas.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace miravela {

class SchedulerDialog : public QDialog {
 public:
  explicit SchedulerDialog(Form2& model, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QComboBox* MakeList(int i);
  void Refresh();

  Form2& model_;
  std::array<QCheckBox*, kFuncionesProgramadas> boxes_{};
  std::array<QComboBox*, 4 * kFuncionesProgramadas> lists_{};
  QLineEdit* storage_ = nullptr;
  QPushButton* accept_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

class QtDialogoProgramador : public DialogoProgramador {
 public:
  explicit QtDialogoProgramador(QWidget* parent) : parent_(parent) {}
  void Mostrar(Form2& dialogo) override;

 private:
  QWidget* parent_;
};

}  // namespace miravela
