#include "sensors/sensors_rig.h"

namespace miravela::test {

SensorsRig::SensorsRig(QString folder, ScreenGrabber* grabberReal) : carpeta(folder.isEmpty() ? dir.path() : folder) {
  picture4.SetSizePixels(644, 484);
  botones[4].Visible = false;
  EstadosVentana estados{[this] { return estadoInicio; },
                         [this] { return reducida; },
                         [this] {
                           pasos.push_back("reducir");
                           reducida = true;
                         },
                         [this] {
                           pasos.push_back("zona");
                           botones[7].Appearance = 1;
                         },
                         [this] { pasos.push_back("programacion"); },
                         [this] { return inversa; },
                         [this] {
                           pasos.push_back("inversa");
                           inversa = true;
                         },
                         [this] {
                           pasos.push_back("email");
                           botones[6].Appearance = 1;
                         },
                         {},
                         {}};
  Botonera botonera{[this](int i) -> Control& { return botones.at(static_cast<std::size_t>(i)); },
                    [this](int i) { PulsarBoton(i); }};
  s = std::make_unique<Sensores>(EntornoSensores{
      clock, fakes.services(), grabberReal ? *grabberReal : grabber, parametros, picture4, tmrReloj, tmrSleep, lblAyuda,
      botonera, carpeta, [] { return QStringLiteral("/voz"); }, [this](const QString& n) { sonidos.push_back(n); },
      [this] { return fuenteSimilitud ? fuenteSimilitud() : similitud; }, [this] { ++escondidos; }, estados,
      QLocale(QLocale::Spanish, QLocale::Spain),
      [this] {
        const double r = aleatorios.empty() ? 0.0 : aleatorios.front();
        if (!aleatorios.empty()) aleatorios.pop_front();
        return r;
      }});
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
