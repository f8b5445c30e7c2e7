#include "detect/detect_rig.h"

namespace miravela::test {

DetectRig::DetectRig(QSize frame) : camara(frame), escaner(frame) {
  boton0.Appearance = 1;  // camera connected
  pictures.Picture4.SetSizePixels(frame.width() + 4, frame.height() + 4);
  muestra.Tag = QStringLiteral("16761024");
  zona = std::make_unique<ZonaVigilancia>(EntornoZona{
      boton7, lblSensor7, pictures.Picture1, dir.path(), mensajes, autoajuste, [this] { return entradas.alarma; },
      [this] { return boton0.Appearance != 0; }, [this] { return boton15.Appearance != 0; }});
  seguimiento = std::make_unique<SeguimientoObjeto>(
      EntornoSeguimiento{pictures.Picture1,
                         *zona,
                         boton15,
                         muestra,
                         {&etiquetasSensor[0], &etiquetasSensor[1], &etiquetasSensor[2], &etiquetasSensor[3]},
                         [this](bool on) { slidersEnabled = on; },
                         autoajuste});
  loop = std::make_unique<FrameLoop>(EntornoBucle{pictures, parametros, *zona, *seguimiento, camara, escaner,
                                                  autoajuste, entradas, pantalla, tmrReloj, tmrSleep, tmrGuardar, clock,
                                                  QStringLiteral("3"), QLocale::c()});
  tmrReloj.OnTimer = [this] { loop->TmrReloj_Timer(); };
}

}  // namespace miravela::test
