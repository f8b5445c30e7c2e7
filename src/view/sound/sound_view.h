#pragma once
// The sound controls as the main window shows them: the alarm-sound list and the
// sound-effects file list. Each draws its model control and forwards the user's
// choices; the model decides everything.
#include <QComboBox>
#include <QListWidget>
#include <QWidget>
#include <functional>

#include "sound/sonido.h"

namespace miravela {

class AlarmSoundList : public QComboBox {
  Q_OBJECT
 public:
  AlarmSoundList(AlarmasSonido& alarmas, QWidget* parent = nullptr);
  void Refresh();
  std::function<void()> Cambiado;

 protected:
  void showPopup() override;

 private:
  AlarmasSonido& alarmas_;
};

class EffectsList : public QListWidget {
  Q_OBJECT
 public:
  EffectsList(EfectosSonido& efectos, QWidget* parent = nullptr);
  void Refresh();
  std::function<void()> Cambiado;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  EfectosSonido& efectos_;
};

class SoundView : public QWidget {
  Q_OBJECT
 public:
  SoundView(SubsistemaSonido& sonido, QWidget* parent = nullptr);
  void Refresh();
  // Raised after any model change made from here; the main window refreshes itself.
  std::function<void()> Cambiado;

  AlarmSoundList* Alarmas() const { return alarmas_; }
  EffectsList* Efectos() const { return efectos_; }

 private:
  AlarmSoundList* alarmas_;
  EffectsList* efectos_;
};

}  // namespace miravela
