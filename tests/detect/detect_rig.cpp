#include "detect/detect_rig.h"

namespace miravela::test {

DetectRig::DetectRig(QSize frame) : camara(frame), escaner(frame) {
  boton0.Appearance = 1;  // camera connected
  pictures.Picture4.SetSizePixels(frame.width() + 4, frame.height() + 4);
  muestra.Tag = QStringLiteral("16761024");
  zona = std::make_unique<ZonaVigilancia>(EntornoZona{
      .boton = boton7,
      .etiqueta = lblSensor7,
      .preview = pictures.Picture1,
      .carpetaRecursos = dir.path(),
      .mensajes = mensajes,
      .autoajuste = autoajuste,
      .alarmaElegida = [this] { return entradas.alarma; },
      .camaraConectada = [this] { return boton0.Appearance != 0; },
      .seguimientoActivo = [this] { return boton15.Appearance != 0; },
  });
  seguimiento = std::make_unique<SeguimientoObjeto>(EntornoSeguimiento{
      .preview = pictures.Picture1,
      .zona = *zona,
      .boton = boton15,
      .muestra = muestra,
      .etiquetasSensor = {&etiquetasSensor[0], &etiquetasSensor[1], &etiquetasSensor[2], &etiquetasSensor[3]},
      .habilitarSensores = [this](bool on) { slidersEnabled = on; },
      .autoajuste = autoajuste,
  });
  loop = std::make_unique<FrameLoop>(EntornoBucle{
      .pictures = pictures,
      .parametros = parametros,
      .zona = *zona,
      .seguimiento = *seguimiento,
      .camara = camara,
      .escaner = escaner,
      .autoajuste = autoajuste,
      .entradas = entradas,
      .pantalla = pantalla,
      .tmrReloj = tmrReloj,
      .tmrSleep = tmrSleep,
      .tmrGuardar = tmrGuardar,
      .clock = clock,
      .numeroCamara = QStringLiteral("3"),
      .locale = QLocale::c(),
  });
  tmrReloj.OnTimer = [this] { loop->TmrReloj_Timer(); };
}

}  // namespace miravela::test
