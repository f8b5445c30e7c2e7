// How the main window puts its subsystems together, and the photograph timer.
#include "app/form1.h"
#include "app/piezas.h"
#include "detect/imagen.h"

namespace miravela {

void Form1::ConstruirSensores() {
  EstadosVentana estados;
  estados.estadoInicio = [this] { return EstadoInicio; };
  estados.modoReducido = [] { return false; };
  estados.activarZona = [this] { zona_->ActivarZona(); };
  estados.alarmaInversa = [this] { return seguimiento_->AlarmaInversa(); };
  estados.activarAlarmaInversa = [this] { seguimiento_->ImgReverse_Click(); };
  sensores_ = std::make_unique<Sensores>(
      EntornoSensores{clock_,
                      services_,
                      pantalla_,
                      parametros,
                      pictures.Picture4,
                      TmrReloj,
                      TmrSleep,
                      Botones.LblAyuda,
                      Botonera{[this](int i) -> Control& { return Botones.PctBoton.at(static_cast<std::size_t>(i)); },
                               [this](int i) { Botones.PctBoton_Click(i); }},
                      programa.Ruta("Recursos"),
                      [this] { return config.CarpetaVoz; },
                      [this](const QString& nombre) {
                        if (Subsistemas.ReproducirSonido) Subsistemas.ReproducirSonido(nombre);
                      },
                      [this] { return bucle_->Resultados().Similitud; },
                      [this] { Botones.EsconderBotones(); },
                      estados,
                      QLocale(),
                      {}});
}

void Form1::ConstruirSubsistemas() {
  ConstruirSensores();
  // The alarm-sound list belongs to the sound subsystem; without it there is no choice.
  piezas_ = std::make_unique<Piezas>(*this, camara_, [] { return QString(); });
  ConstruirDeteccion();
  ConstruirConexion();
  ConstruirGrabador();
  ConectarVigilancia();
}

void Form1::ConstruirDeteccion() {
  auto& s = *sensores_;
  auto& panel = s.panel;
  auto& p = *piezas_;
  zona_ = std::make_unique<ZonaVigilancia>(
      EntornoZona{Botones.PctBoton[7], panel.LblSensor[7], pictures.Picture1, programa.Ruta("Recursos"),
                  services_.messages, s.autoajuste, [&p] { return p.entradas.AlarmaElegida(); },
                  [this] { return Botones.Pulsado(0); }, [this] { return Botones.Pulsado(15); }});
  seguimiento_ = std::make_unique<SeguimientoObjeto>(
      EntornoSeguimiento{pictures.Picture1,
                         *zona_,
                         Botones.PctBoton[15],
                         panel.LblSensor[8],
                         {&panel.LblSensor[0], &panel.LblSensor[1], &panel.LblSensor[2], &panel.LblSensor[3]},
                         [&panel](bool on) { panel.HsbSensor[0].Enabled = panel.HsbSensor[1].Enabled = on; },
                         s.autoajuste});
  bucle_ = std::make_unique<FrameLoop>(EntornoBucle{pictures, parametros, *zona_, *seguimiento_, p.camara, s.escaner,
                                                    s.autoajuste, p.entradas, p.pantalla, TmrReloj, TmrSleep,
                                                    TmrGuardar, clock_, programa.NumeroCamara});
}

void Form1::ConstruirConexion() {
  auto& s = *sensores_;
  conexion_ = std::make_unique<ConexionCamara>(ConexionCamara::Entorno{camara_,
                                                                       programa,
                                                                       services_,
                                                                       Botones,
                                                                       pictures.Picture3,
                                                                       TmrReloj,
                                                                       TmrSleep,
                                                                       TmrSuspender,
                                                                       [this] {
                                                                         pictures.Picture1.ClearPicture();
                                                                         pictures.Picture4.ClearPicture();
                                                                       },
                                                                       [&s] { return s.escaner.Activo(); },
                                                                       {},
                                                                       {},
                                                                       {},
                                                                       [&s] { s.CamaraDesconectada(); },
                                                                       [this] {
                                                                         TxtSensor.Caption.clear();
                                                                         Caption = TituloBase;
                                                                       }});
}

void Form1::ConstruirGrabador() {
  auto& p = *piezas_;
  grabador_ = std::make_unique<GrabadorFotos>(
      GrabadorFotos::Entorno{clock_,
                             config.CarpetaImagenes,
                             config.EtiquetaCamara,
                             config.CalidadJpeg,
                             programa.Ruta("Recursos/PICTMP.bmp"),
                             [this] { return pictures.Picture4.Image(); },
                             [this](const QImage& stamped) { pictures.Picture4.SetPicture(stamped); },
                             [this] { return pictures.Picture4.TwipsPerPixelX(); },
                             [this] { return pictures.Picture1.Picture().isNull(); },
                             [&p] { return p.entradas.VisionNocturna(); },
                             [this] { AjustarImagen(pictures.Picture5, pictures.Picture4); },
                             [this] { return EstadoInicio == kEstadoEnMarcha; },
                             [this] { return Subsistemas.ProgramadorActivo(); },
                             [this] { return Subsistemas.DiasGuardar(); },
                             [this] { return Botones.Pulsado(6); },
                             {},
                             [this] { services_.window.ProcessEvents(); },
                             [this](const QImage& foto, int calidad, const QString& ruta) {
                               return GuardarJpeg(jpeg_, foto, calidad, ruta);
                             }});
}

// The timers and buttons that drive watching: the frame loop, the photograph, the
// grace period, connecting, configuring, the zone and tracking.
void Form1::ConectarVigilancia() {
  Botones.AlEsconder = [this] {
    conexion_->CboDriver.BackColor = kColorReposo;
    zona_->OcultarSuperposicion();
  };

  TmrReloj.OnTimer = [this] { bucle_->TmrReloj_Timer(); };
  TmrGuardar.OnTimer = [this] { TmrGuardar_Timer(); };
  TmrSleep.OnTimer = [this] { TmrSleep.SetEnabled(false); };

  Botones.SetAction(0, [this] { conexion_->Boton0_Click(); });
  Botones.SetAction(2, [this] {
    if (!Botones.Pulsado(0) || sensores_->escaner.Activo()) return services_.beeper.Beep();
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
