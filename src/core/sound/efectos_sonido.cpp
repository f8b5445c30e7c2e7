#include "sound/efectos_sonido.h"

#include <cmath>

#include "base/registro_ajustes.h"

namespace miravela {

EfectosSonido::EfectosSonido(EntornoEfectos entorno) : e_(std::move(entorno)) {
  FilEfectoSonido.Visible = false;
  e_.tmrEfectoSonido.OnTimer = [this] { TmrEfectoSonido_Timer(); };
}

void EfectosSonido::MostrarLista() {
  FilEfectoSonido.Path = e_.config.CarpetaSonidos;
  FilEfectoSonido.Refresh();
}

void EfectosSonido::AlternarEfectos() {
  if (!Activos()) {
    e_.boton.fijarPulsado(true);
    MostrarLista();
    FilEfectoSonido.Visible = true;
  } else {
    e_.tmrEfectoSonido.SetEnabled(false);
    e_.boton.fijarPulsado(false);
    FilEfectoSonido.Visible = false;
    e_.medios.CerrarMedios();
  }
}

void EfectosSonido::FilEfectoSonido_Click() {
  // A click beside the entries picks nothing; the list stays open for a real pick.
  const QString archivo = FilEfectoSonido.FileName();
  if (archivo.isEmpty()) return;
  e_.tmrEfectoSonido.SetEnabled(true);
  FilEfectoSonido.Visible = false;
  e_.medios.ReproducirSonido(e_.config.CarpetaSonidos + '/' + NombreSinExtension(archivo));
}

void EfectosSonido::Seleccionar(int indice) {
  if (indice < 0 || indice >= FilEfectoSonido.List.size()) return;
  FilEfectoSonido.ListIndex = indice;
  FilEfectoSonido_Click();
}

void EfectosSonido::FilEfectoSonido_MouseMove() {
  if (e_.ayuda) e_.ayuda(QStringLiteral("Seleccionar Archivo de Sonido"));
}

void EfectosSonido::TmrEfectoSonido_Timer() {
  const double aleatorio = e_.aleatorio ? e_.aleatorio() : 0.0;
  const int estado = e_.medios.EstadoMedio();
  const int n = static_cast<int>(std::floor(aleatorio * e_.config.RepeticionEfecto));
  if (estado == kMedioNinguno && n == 1) FilEfectoSonido_Click();
}

void EfectosSonido::CargarEfectosSonido() {
  const auto registros = LeerRegistros(e_.archivoEsn, 1);
  if (!registros) return;
  const RegistroAjustes& r = (*registros)[0];
  if (r.Campo5 != 1 || r.Campo4 == -1) return;
  MostrarLista();
  // A position the folder no longer has leaves the effects off rather than switched
  // on with nothing to play.
  if (r.Campo4 < 0 || r.Campo4 >= FilEfectoSonido.List.size()) return;
  e_.boton.fijarPulsado(true);
  Seleccionar(r.Campo4);
}

void EfectosSonido::GuardarEfectosSonido() const {
  RegistroAjustes r;
  r.Campo4 = FilEfectoSonido.ListIndex;
  r.Campo5 = Activos() ? 1 : 0;
  EscribirRegistros(e_.archivoEsn, {r});
}

}  // namespace miravela
