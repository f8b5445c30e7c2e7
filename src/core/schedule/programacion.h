#pragma once
// The task schedule: switch-on and switch-off times of the camera, the screen
// capturer and night vision, which of them are scheduled, and how many day folders
// of photographs are kept. PRG keeps it between runs.
#include <QString>
#include <QTime>
#include <array>
#include <cstdint>
#include <optional>

namespace miravela {

enum FuncionProgramada { kFuncionCamara = 0, kFuncionEscaner = 1, kFuncionNoche = 2 };
inline constexpr int kFuncionesProgramadas = 3;
inline constexpr std::int32_t kDiasGuardarDefecto = 365;

struct Programacion {
  // "hh:mm", 24-hour.
  std::array<QString, kFuncionesProgramadas> HoraEncendido = DefectoEncendido();
  std::array<QString, kFuncionesProgramadas> HoraApagado = DefectoApagado();
  std::array<bool, kFuncionesProgramadas> FuncionActiva{};
  std::int32_t DiasGuardar = kDiasGuardarDefecto;

  bool AlgunaActiva() const { return FuncionActiva[0] || FuncionActiva[1] || FuncionActiva[2]; }

  static std::array<QString, kFuncionesProgramadas> DefectoEncendido();
  static std::array<QString, kFuncionesProgramadas> DefectoApagado();
};

// The time a schedule text names, or nothing when it is not a two-digit "hh:mm".
std::optional<QTime> HoraProgramada(const QString& texto);

// Reads PRG into the schedule. Without a file the times and the day count take their
// defaults and the on/off entries stay as they are. A time that is not a valid
// "hh:mm" (a damaged or hand-edited file) reads as its default, and records the file
// is too short to hold read as if the file had none, so a cut file never turns into
// "keep no day folders".
void LeerProgramacion(const QString& archivo, Programacion& programacion);
// Writes the three records of PRG. False when nothing was written.
bool EscribirProgramacion(const QString& archivo, const Programacion& programacion);

}  // namespace miravela
