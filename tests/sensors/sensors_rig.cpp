#include "sensors/sensors_rig.h"

namespace miravela::test {

SensorsRig::SensorsRig(QString folder, ScreenGrabber* grabberReal) : carpeta(folder.isEmpty() ? dir.path() : folder) {
  picture4.SetSizePixels(644, 484);
  botones[4].Visible = false;
  EstadosVentana estados{
      .estadoInicio = [this] { return estadoInicio; },
      .modoReducido = [this] { return reducida; },
      .reducirVentana =
          [this] {
            pasos.push_back("reducir");
            reducida = true;
          },
      .activarZona =
          [this] {
            pasos.push_back("zona");
            botones[7].Appearance = 1;
          },
      .cargarProgramacion = [this] { pasos.push_back("programacion"); },
      .alarmaInversa = [this] { return inversa; },
      .activarAlarmaInversa =
          [this] {
            pasos.push_back("inversa");
            inversa = true;
          },
      .activarAvisoEmail =
          [this] {
            pasos.push_back("email");
            botones[6].Appearance = 1;
          },
  };
  s = std::make_unique<Sensores>(EntornoSensores{
      .clock = clock,
      .services = fakes.services(),
      .grabber = grabberReal ? *grabberReal : grabber,
      .parametros = parametros,
      .picture4 = picture4,
      .tmrReloj = tmrReloj,
      .tmrSleep = tmrSleep,
      .lblAyuda = lblAyuda,
      .botones = botonera,
      .carpetaRecursos = carpeta,
      .carpetaVoz = [] { return QStringLiteral("/voz"); },
      .reproducirSonido = [this](const QString& n) { sonidos.push_back(n); },
      .similitud = [this] { return fuenteSimilitud ? fuenteSimilitud() : similitud; },
      .esconderBotones = [this] { ++escondidos; },
      .estados = estados,
      .locale = QLocale(QLocale::Spanish, QLocale::Spain),
      .aleatorio =
          [this] {
            const double r = aleatorios.empty() ? 0.0 : aleatorios.front();
            if (!aleatorios.empty()) aleatorios.pop_front();
            return r;
          },
  });
}

void SensorsRig::PulsarBoton(int index) {
  clicks.push_back(index);
  Control& boton = botones.at(static_cast<std::size_t>(index));
  // Button 0 connects when the frame loop is stopped and disconnects when it runs.
  if (index == 0) {
    const bool conectar = !tmrReloj.Enabled();
    tmrReloj.SetEnabled(conectar);
    boton.Appearance = conectar ? 1 : 0;
    if (!conectar) s->CamaraDesconectada();
    return;
  }
  boton.Appearance = boton.Appearance ? 0 : 1;
  if (index == 15 && boton.Appearance == 1 && s->autoajuste.Activo()) s->autoajuste.Detener();
}

}  // namespace miravela::test
