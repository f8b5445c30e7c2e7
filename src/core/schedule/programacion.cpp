#include "schedule/programacion.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <vector>

#include "base/registro_ajustes.h"

namespace miravela {

std::array<QString, kFuncionesProgramadas> Programacion::DefectoEncendido() {
  return {QStringLiteral("07:00"), QStringLiteral("07:00"), QStringLiteral("19:00")};
}

std::array<QString, kFuncionesProgramadas> Programacion::DefectoApagado() {
  return {QStringLiteral("22:00"), QStringLiteral("22:00"), QStringLiteral("05:00")};
}

std::optional<QTime> HoraProgramada(const QString& texto) {
  static const QRegularExpression forma(QStringLiteral("^\\d\\d:\\d\\d$"));
  if (!forma.match(texto).hasMatch()) return std::nullopt;
  const QTime hora = QTime::fromString(texto, QStringLiteral("hh:mm"));
  return hora.isValid() ? std::optional(hora) : std::nullopt;
}

namespace {

QString HoraLeida(const ValorEtiquetado& valor, const QString& defecto) {
  const QString texto = valor.ComoTexto();
  return HoraProgramada(texto) ? texto : defecto;
}

}  // namespace

void LeerProgramacion(const QString& archivo, Programacion& p) {
  const auto registros = LeerRegistros(archivo, kFuncionesProgramadas);
  const auto encendido = Programacion::DefectoEncendido();
  const auto apagado = Programacion::DefectoApagado();
  if (!registros) {
    p.HoraEncendido = encendido;
    p.HoraApagado = apagado;
    p.DiasGuardar = kDiasGuardarDefecto;
    return;
  }
  const qint64 tamano = QFileInfo(archivo).size();
  for (std::size_t k = 0; k < kFuncionesProgramadas; ++k) {
    const bool completo = tamano >= static_cast<qint64>((k + 1) * RegistroAjustes::kLongitud);
    const RegistroAjustes& r = (*registros)[k];
    p.HoraEncendido[k] = completo ? HoraLeida(r.Campo1, encendido[k]) : encendido[k];
    p.HoraApagado[k] = completo ? HoraLeida(r.Campo2, apagado[k]) : apagado[k];
    if (completo) p.FuncionActiva[k] = r.Campo3;
    if (k == 0) p.DiasGuardar = completo ? r.Campo4 : kDiasGuardarDefecto;
  }
}

bool EscribirProgramacion(const QString& archivo, const Programacion& p) {
  std::vector<RegistroAjustes> registros(kFuncionesProgramadas);
  for (std::size_t k = 0; k < kFuncionesProgramadas; ++k) {
    RegistroAjustes& r = registros[k];
    const auto encendido = ValorEtiquetado::Texto(p.HoraEncendido[k]);
    const auto apagado = ValorEtiquetado::Texto(p.HoraApagado[k]);
    if (!encendido || !apagado) return false;
    r.Campo1 = *encendido;
    r.Campo2 = *apagado;
    r.Campo3 = p.FuncionActiva[k];
    // Every record carries the day count; only the first is read back.
    r.Campo4 = p.DiasGuardar;
  }
  return EscribirRegistros(archivo, registros);
}

}  // namespace miravela
