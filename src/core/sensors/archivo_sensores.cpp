#include "sensors/archivo_sensores.h"

#include "base/registro_ajustes.h"

namespace miravela {

namespace {

ValorEtiquetado Bandera(bool on) { return ValorEtiquetado::Entero(on ? 1 : 0); }
bool Leido1(const ValorEtiquetado& v) { return v.ComoNumero() == 1; }
}  // namespace

int DensidadDePaso(std::int32_t paso) { return paso >= 1 && paso <= 6 ? (6 - paso) * 10 : 30; }

ArchivoSensores::ArchivoSensores(EntornoArchivoSensores entorno) : e_(std::move(entorno)) {}

void ArchivoSensores::CargarSensores() {
  const auto registros = LeerRegistros(e_.archivo, 3);
  if (!registros) {
    e_.panel.FijarValor(kFrecuencia, 500);
    e_.panel.FijarValor(kResolucion, 2);
    e_.panel.FijarValor(kDensidad, 30);
  } else {
    RestaurarRegistro1((*registros)[0]);
    RestaurarRegistro2((*registros)[1]);
    RestaurarRegistro3((*registros)[2]);
  }
  AplicarDensidad();
}

void ArchivoSensores::RestaurarRegistro1(const RegistroAjustes& r) {
  e_.panel.FijarValor(kMovimiento, r.Campo5);
  e_.panel.FijarValor(kColor, r.Campo6);
  e_.panel.FijarValor(kFrecuencia, r.Campo4);
  e_.botones.Boton(kBotonDesactivarAlarma).Visible = r.Campo3;
  e_.botones.Boton(kBotonActivarAlarma).Visible = !r.Campo3;
  if (Leido1(r.Campo1)) {
    e_.botones.Boton(kBotonCamara).Appearance = 1;
    e_.botones.Click(kBotonCamara);
  }
  if (e_.estados.estadoInicio() == kEstadoEnMarcha && Leido1(r.Campo2)) {
    Control& programador = e_.botones.Boton(kBotonProgramador);
    programador.Appearance = 1;
    programador.BackColor = kColorReposo;
    e_.estados.cargarProgramacion();
  }
}

void ArchivoSensores::RestaurarRegistro2(const RegistroAjustes& r) {
  if (r.Campo5 >= 1 && r.Campo5 <= 5) e_.panel.FijarValor(kZoom, r.Campo5);
  e_.panel.FijarValor(kDensidad, DensidadDePaso(r.Campo6));
  if (Leido1(r.Campo1)) e_.estados.reducirVentana();
  if (Leido1(r.Campo2)) e_.estados.activarZona();
  if (r.Campo3) e_.estados.alternarEscaner();
}

void ArchivoSensores::RestaurarRegistro3(const RegistroAjustes& r) {
  e_.panel.LblSensor[8].Tag = QString::number(r.Campo4);
  if (Leido1(r.Campo1)) e_.estados.activarAlarmaInversa();
  if (Leido1(r.Campo2)) e_.botones.Click(kBotonSeguimiento);
  if (r.Campo5 == 1) e_.estados.activarAvisoEmail();
  if (e_.estados.estadoInicio() == kEstadoEnMarcha && r.Campo6 == 1) e_.autoajuste.CmdAutoAjuste_Click();
}

// A restore that leaves the slider where it was has run no handler; the sampling
// parameters must still be those of the slider's value.
void ArchivoSensores::AplicarDensidad() { e_.panel.HsbSensor_Change(kDensidad); }

void ArchivoSensores::GuardarSensores() const {
  const PanelSensores& p = e_.panel;
  const Botonera& b = e_.botones;
  const bool auto_ = e_.autoajuste.Activo();
  RegistroAjustes r1, r2, r3;
  r1.Campo1 = Bandera(b.Pulsado(kBotonCamara));
  r1.Campo2 = Bandera(b.Pulsado(kBotonProgramador));
  r1.Campo3 = b.Boton(kBotonDesactivarAlarma).Visible;
  r1.Campo4 = p.Valor(kFrecuencia);
  r1.Campo5 = auto_ ? e_.autoajuste.MovimientoUsuario : p.Valor(kMovimiento);
  r1.Campo6 = auto_ ? e_.autoajuste.ColorUsuario : p.Valor(kColor);

  r2.Campo1 = Bandera(e_.estados.modoReducido());
  r2.Campo2 = Bandera(b.Pulsado(kBotonZona));
  r2.Campo3 = e_.estados.escanerActivo();
  r2.Campo4 = 0;
  r2.Campo5 = p.Valor(kZoom);
  r2.Campo6 = p.PasoMuestra();

  r3.Campo1 = Bandera(e_.estados.alarmaInversa());
  r3.Campo2 = Bandera(b.Pulsado(kBotonSeguimiento));
  r3.Campo3 = false;
  r3.Campo4 = static_cast<std::int32_t>(p.LblSensor[8].Tag.toLongLong());
  r3.Campo5 = b.Pulsado(kBotonEmail) ? 1 : 0;
  r3.Campo6 = auto_ ? 1 : 0;
  EscribirRegistros(e_.archivo, {r1, r2, r3});
}

}  // namespace miravela
