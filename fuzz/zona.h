#pragma once
// The surveillance zone files, ZNA (the cells) and ALZ (each cell's alarm sound), as
// the zone reads them when it is switched on and writes them at shut-down.
#include "comun.h"
#include "detect/detect_rig.h"
#include "driver.h"

namespace miravela::fuzz {

inline constexpr qsizetype kBytesZna = 192 * 8;
inline constexpr qsizetype kBytesAlz = 192 * kLongitudAlarmaCelda;

struct LecturaZona {
  std::vector<QString> alarmas;
  std::vector<bool> celdas;
  QByteArray zna, alz;  // what the zone wrote back
};

// Switches the zone on over the given files (a missing one stays missing), then writes both.
inline LecturaZona LeerYGuardarZona(const std::optional<QByteArray>& zna, const std::optional<QByteArray>& alz) {
  test::DetectRig rig;
  if (zna) EscribirArchivo(rig.Recursos() + "/Miravela.ZNA", *zna);
  if (alz) EscribirArchivo(rig.Recursos() + "/Miravela.ALZ", *alz);
  rig.zona->ActivarZona();
  LecturaZona lectura;
  for (int n = 1; n <= kCeldas; ++n) {
    lectura.alarmas.push_back(rig.zona->AlarmaCelda(n));
    lectura.celdas.push_back(rig.zona->ShpCelda(n).EnZona());
  }
  rig.zona->GuardarZona();
  rig.zona->GuardarAlarmasZona();
  lectura.zna = LeerArchivo(rig.Recursos() + "/Miravela.ZNA").left(kBytesZna);
  lectura.alz = LeerArchivo(rig.Recursos() + "/Miravela.ALZ").left(kBytesAlz);
  return lectura;
}

// The files of a zone drawn and named by hand, as the program writes them.
inline LecturaZona ZonaDibujada() {
  test::DetectRig rig;
  rig.zona->ActivarZona();
  const QString nombres[] = {QStringLiteral("Sirena"), QString::fromUtf8("Alarma Niño"), QString::fromUtf8("警報.wav"),
                             QString(300, QChar(u'x'))};
  for (int n = 1; n <= kCeldas; n += 7) {
    rig.entradas.alarma = nombres[static_cast<std::size_t>(n) % std::size(nombres)];
    rig.zona->LblCelda_Click(n);
  }
  rig.zona->GuardarZona();
  rig.zona->GuardarAlarmasZona();
  return {{}, {}, LeerArchivo(rig.Recursos() + "/Miravela.ZNA"), LeerArchivo(rig.Recursos() + "/Miravela.ALZ")};
}

// What the zone read, written back and read again, is what it read the first time.
inline void ComprobarIdaYVuelta(const LecturaZona& primera) {
  FUZZ_CHECK(primera.zna.size() == kBytesZna && primera.alz.size() == kBytesAlz);
  const LecturaZona segunda = LeerYGuardarZona(primera.zna, primera.alz);
  FUZZ_CHECK(segunda.celdas == primera.celdas);
  for (std::size_t n = 0; n < primera.alarmas.size(); ++n)
    if (segunda.alarmas[n] != primera.alarmas[n])
      Fallo("cell " + std::to_string(n + 1) + " read \"" + primera.alarmas[n].toStdString() + "\", then \"" +
            segunda.alarmas[n].toStdString() + "\"");
  FUZZ_CHECK(segunda.zna == primera.zna);
  FUZZ_CHECK(segunda.alz == primera.alz);
}

}  // namespace miravela::fuzz
