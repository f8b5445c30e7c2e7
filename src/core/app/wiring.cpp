// How the main window puts its subsystems together, and the photograph timer.
#include "app/form1.h"
#include "app/piezas.h"

namespace miravela {

void Form1::ConstruirSubsistemas() {
  piezas_ = std::make_unique<Piezas>(*this, camara_);
  auto& p = *piezas_;
  zona_ = std::make_unique<ZonaVigilancia>(EntornoZona{
      Botones.PctBoton[7], LblSensor7, pictures.Picture1, programa.Ruta("Recursos"), services_.messages,
      p.autoajuste, [&p] { return p.entradas.AlarmaElegida(); }, [this] { return Botones.Pulsado(0); },
      [this] { return Botones.Pulsado(15); }});
  seguimiento_ = std::make_unique<SeguimientoObjeto>(EntornoSeguimiento{
      pictures.Picture1, *zona_, Botones.PctBoton[15], LblSensor8,
      {&LblSensorEtiquetas[0], &LblSensorEtiquetas[1], &LblSensorEtiquetas[2], &LblSensorEtiquetas[3]},
      [this](bool on) { SensoresHabilitados = on; }, p.autoajuste});
  bucle_ = std::make_unique<FrameLoop>(EntornoBucle{pictures, parametros, *zona_, *seguimiento_, p.camara, p.escaner,
                                                    p.autoajuste, p.entradas, p.pantalla, TmrReloj, TmrSleep,
                                                    TmrGuardar, clock_, programa.NumeroCamara});
  conexion_ = std::make_unique<ConexionCamara>(ConexionCamara::Entorno{
      camara_, programa, services_, Botones, pictures.Picture3, TmrReloj, TmrSleep, TmrSuspender,
      [this] {
        pictures.Picture1.ClearPicture();
        pictures.Picture4.ClearPicture();
      },
      [&p] { return p.entradas.EscanerActivo(); }, {}, {}, {}, {},
      [this] {
        TxtSensor.Caption.clear();
        Caption = TituloBase;
      }});
  grabador_ = std::make_unique<GrabadorFotos>(GrabadorFotos::Entorno{
      clock_, config.CarpetaImagenes, config.EtiquetaCamara, config.CalidadJpeg,
      programa.Ruta("Recursos/PICTMP.bmp"),
      [this] { return pictures.Picture4.Image(); },
      [this](const QImage& stamped) { pictures.Picture4.SetPicture(stamped); },
      [this] { return pictures.Picture4.TwipsPerPixelX(); },
      [this] { return pictures.Picture1.Picture().isNull(); },
      [&p] { return p.entradas.VisionNocturna(); },
      [this] { pictures.Picture4.SetPicture(pictures.Picture5.Picture()); },
      [this] { return EstadoInicio == kEstadoEnMarcha; },
      [this] { return Subsistemas.ProgramadorActivo(); },
      [this] { return Subsistemas.DiasGuardar(); },
      [this] { return Botones.Pulsado(6); },
      {},
      [this] { services_.window.ProcessEvents(); },
      [this](const QImage& foto, int calidad, const QString& ruta) { return GuardarJpeg(jpeg_, foto, calidad, ruta); }});

  Botones.AlEsconder = [this] {
    conexion_->CboDriver.BackColor = kColorReposo;
    zona_->OcultarSuperposicion();
  };

  TmrReloj.OnTimer = [this] { bucle_->TmrReloj_Timer(); };
  TmrGuardar.OnTimer = [this] { TmrGuardar_Timer(); };
  TmrSleep.OnTimer = [this] { TmrSleep.SetEnabled(false); };

  Botones.SetAction(0, [this] { conexion_->Boton0_Click(); });
  Botones.SetAction(2, [this] {
    if (!Botones.Pulsado(0) || piezas_->entradas.EscanerActivo()) return services_.beeper.Beep();
    pictures.Picture3.Visible = true;
    TmrReloj.SetEnabled(false);
    TmrSleep.SetEnabled(false);
    services_.window.ProcessEvents();
    camara_.ConfigCamera();
    conexion_->ConectarCamara();
    TmrReloj.SetEnabled(true);
    TmrSleep.SetEnabled(true);
  });
  Botones.SetAction(7, [this] { zona_->ActivarZona(); });
  Botones.SetAction(15, [this] { seguimiento_->AlternarSeguimiento(); });
}

void Form1::TmrGuardar_Timer() {
  if (piezas_->entradas.Frecuencia() >= 0) grabador_->GuardarFoto();
  if (AlarmaArmada()) {
    const QString archivo = config.CarpetaAlarmas + '/' + bucle_->Resultados().SonidoAlarma;
    if (!Subsistemas.ReproducirAlarma(archivo)) services_.beeper.Beep();
  }
  TmrGuardar.SetEnabled(false);
}

}  // namespace miravela
