#include "view/sensors/mode_button.h"

#include "view/colors.h"

namespace miravela {

ModeButton::ModeButton(const Control& control, QString name, std::function<void()> click, std::function<void()> hover,
                       QWidget* parent)
    : QPushButton(parent), control_(control), hover_(std::move(hover)) {
  setObjectName(name);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QPushButton::clicked, this, [this, click = std::move(click)] {
    click();
    Refresh();
    if (Cambiado) Cambiado();
  });
  Refresh();
}

void ModeButton::Refresh() {
  setText(control_.Caption);
  setVisible(control_.Visible);
  setEnabled(control_.Enabled);
  FijarEstilo(this, QStringLiteral("QPushButton { background: %1; color: black; border: 1px solid #606060; "
                                   "padding: 2px 8px; font-weight: bold; }")
                        .arg(ToQColor(control_.BackColor).name()));
}

void ModeButton::mouseMoveEvent(QMouseEvent* event) {
  QPushButton::mouseMoveEvent(event);
  if (hover_) hover_();
  if (Cambiado) Cambiado();
}

}  // namespace miravela
