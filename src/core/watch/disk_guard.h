#pragma once
// Keeps room on the disk for the next photograph: the oldest days of the program's own
// photographs give way to today's, and a disk that stays full is said so, once, instead
// of photographs failing unseen.
#include <QString>
#include <functional>

#include "base/hook.h"
#include "base/model_timer.h"
#include "base/units.h"
#include "watch/free_space.h"
#include "watch/watch_settings.h"

namespace miravela {

// Below this much free space a photograph that failed to be written failed for lack of
// room (the size of a large photograph, with a margin).
inline constexpr std::int64_t kSitioFoto = 32 * kBytesPorMegabyte;

class DiskGuard {
 public:
  struct Entorno {
    Clock& clock;
    FreeSpaceProbe& espacio;
    const QString& carpetaImagenes;
    const AjustesVigilancia& ajustes;  // read at start-up, after the guard is made
    // A day folder (its name) gave up its photographs.
    Hook<void(const QString& carpetaDia)> liberado = [](const QString&) {};
    // The disk is full: raised once, until a photograph is saved again.
    Hook<void()> lleno = [] {};
  };

  explicit DiskGuard(Entorno entorno) : e_(std::move(entorno)) {}

  // Before each photograph: while the free space is below the reserve, the oldest day
  // folders before today's lose the program's photographs. False when there is still no
  // room, and then the photograph is not written.
  bool HacerSitio();
  // After the recorder wrote the photograph, or failed to.
  void FotoGuardada(bool escrita);
  // What the window shows as "DISCO LLENO": from a photograph refused or failed for lack
  // of room until one is saved again.
  bool Lleno() const { return lleno_; }

 private:
  void Llenar();
  Entorno e_;
  bool lleno_ = false;
};

}  // namespace miravela
