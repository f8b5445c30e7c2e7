// How the main window puts its subsystems together, and the photograph timer.
//
// The convention every part of the window follows:
// - a collaborator a part cannot work without is a reference or an interface it is given;
// - anything else is a Hook (base/hook.h): unset, it does nothing and answers false, 0
//   or an empty text, so a feature not plugged in yet is silent, never a crash;
// - the structs that hand a part its collaborators are filled by name (designated
//   initialisers), never by position;
// - what many parts want to hear of (a photograph saved) is an Event the window
//   subscribes listeners to, rather than a hook threaded through the part that raises it.
#include "app/form1.h"
#include "app/piezas.h"
#include "base/botones.h"
#include "detect/imagen.h"
#include "journal/event_journal.h"
#include "sound/sonido.h"

namespace miravela {

void Form1::ConstruirSensores() {
  botonera_ = std::make_unique<piezas::BotoneraForm>(Botones);
  sensores_ = std::make_unique<Sensores>(EntornoSensores{
      .clock = clock_,
      .services = services_,
      .grabber = pantalla_,
      .parametros = parametros,
      .picture4 = pictures.Picture4,
      .tmrReloj = TmrReloj,
      .tmrSleep = TmrSleep,
      .lblAyuda = Botones.LblAyuda,
      .botones = *botonera_,
      .carpetaRecursos = programa.Ruta("Recursos"),
      .carpetaVoz = [this] { return config.CarpetaVoz; },
      .reproducirSonido = [this](const QString& nombre) { Subsistemas.ReproducirSonido(nombre); },
      .similitud = [this] { return bucle_->Resultados().Similitud; },
      .esconderBotones = [this] { Botones.EsconderBotones(); },
      .estados = {.estadoInicio = [this] { return EstadoInicio; },
                  .activarZona = [this] { zona_->ActivarZona(); },
                  .alarmaInversa = [this] { return seguimiento_->AlarmaInversa(); },
                  .activarAlarmaInversa = [this] { seguimiento_->ImgReverse_Click(); }},
  });
}

void Form1::ConstruirSubsistemas() {
  ConstruirSensores();
  piezas_ = std::make_unique<Piezas>(*this, camara_, [this] { return Subsistemas.AlarmaElegida(); });
  ConstruirDeteccion();
  ConstruirConexion();
  ConstruirGrabador();
  ConectarVigilancia();
  ConectarDiario();
}

void Form1::ConstruirDeteccion() {
  auto& s = *sensores_;
  auto& panel = s.panel;
  auto& p = *piezas_;
  zona_ = std::make_unique<ZonaVigilancia>(EntornoZona{
      .boton = Botones.PctBoton[kBotonZona],
      .etiqueta = panel.LblSensor[7],
      .preview = pictures.Picture1,
      .carpetaRecursos = programa.Ruta("Recursos"),
      .mensajes = services_.messages,
      .autoajuste = s.autoajuste,
      .alarmaElegida = [&p] { return p.entradas.AlarmaElegida(); },
      .camaraConectada = [this] { return Botones.Pulsado(kBotonCamara); },
      .seguimientoActivo = [this] { return Botones.Pulsado(kBotonSeguimiento); },
  });
  seguimiento_ = std::make_unique<SeguimientoObjeto>(EntornoSeguimiento{
      .preview = pictures.Picture1,
      .zona = *zona_,
      .boton = Botones.PctBoton[kBotonSeguimiento],
      .muestra = panel.LblSensor[8],
      .etiquetasSensor = {&panel.LblSensor[0], &panel.LblSensor[1], &panel.LblSensor[2], &panel.LblSensor[3]},
      .habilitarSensores = [&panel](bool on) { panel.HsbSensor[0].Enabled = panel.HsbSensor[1].Enabled = on; },
      .autoajuste = s.autoajuste,
  });
  bucle_ = std::make_unique<FrameLoop>(EntornoBucle{
      .pictures = pictures,
      .parametros = parametros,
      .zona = *zona_,
      .seguimiento = *seguimiento_,
      .camara = p.camara,
      .escaner = s.escaner,
      .autoajuste = s.autoajuste,
      .entradas = p.entradas,
      .pantalla = p.pantalla,
      .tmrReloj = TmrReloj,
      .tmrSleep = TmrSleep,
      .tmrGuardar = TmrGuardar,
      .clock = clock_,
      .numeroCamara = programa.NumeroCamara,
  });
}

void Form1::ConstruirConexion() {
  auto& s = *sensores_;
  // The read-out as the last tick left it, so a disconnect can put it back.
  conexion_ = std::make_unique<ConexionCamara>(ConexionCamara::Entorno{
      .camara = camara_,
      .programa = programa,
      .services = services_,
      .botones = Botones,
      .picture3 = pictures.Picture3,
      .tmrReloj = TmrReloj,
      .tmrSleep = TmrSleep,
      .tmrSuspender = TmrSuspender,
      .limpiarImagenes =
          [this] {
            pictures.Picture1.ClearPicture();
            pictures.Picture4.ClearPicture();
          },
      .escanerActivo = [&s] { return s.escaner.Activo(); },
      .mostrarListaAlarmas = [this] { sonido_->alarmas.CboAlarma.Visible = true; },
      .ocultarListaAlarmas = [this] { sonido_->alarmas.CboAlarma.Visible = false; },
      .apagarVisionNocturna = [&s] { s.CamaraDesconectada(); },
      .restaurarTitulo = [this] { RestaurarLectura(); },
  });
}

void Form1::ConstruirGrabador() {
  auto& p = *piezas_;
  grabador_ = std::make_unique<GrabadorFotos>(GrabadorFotos::Entorno{
      .clock = clock_,
      .carpetaImagenes = config.CarpetaImagenes,
      .etiquetaCamara = config.EtiquetaCamara,
      .calidadJpeg = config.CalidadJpeg,
      .archivoTemporal = programa.Ruta("Recursos/PICTMP.bmp"),
      .lienzo = [this] { return pictures.Picture4.Image(); },
      .fijarLienzo = [this](const QImage& stamped) { pictures.Picture4.SetPicture(stamped); },
      .twipsPorPixel = [this] { return pictures.Picture4.TwipsPerPixelX(); },
      .vistaVacia = [this] { return pictures.Picture1.Picture().isNull(); },
      .visionNocturna = [&p] { return p.entradas.VisionNocturna(); },
      .rellenarDesdeNoche = [this] { AjustarImagen(pictures.Picture5, pictures.Picture4); },
      .enMarcha = [this] { return EstadoInicio == kEstadoEnMarcha; },
      .programadorActivo = [this] { return Subsistemas.ProgramadorActivo(); },
      .diasGuardar = [this] { return Subsistemas.DiasGuardar(); },
      .avisoEmailActivo = [this] { return Botones.Pulsado(kBotonEmail); },
      .procesarEventos = [this] { services_.window.ProcessEvents(); },
  });
}

// The timers and buttons that drive watching: the frame loop, the photograph, the
// grace period, connecting, configuring, the zone and tracking.
void Form1::ConectarVigilancia() {
  Botones.AlEsconder = [this] {
    conexion_->CboDriver.BackColor = kColorReposo;
    sonido_->alarmas.CboAlarma.BackColor = kColorReposo;
    zona_->OcultarSuperposicion();
  };

  TmrReloj.OnTimer = [this] { bucle_->TmrReloj_Timer(); };
  TmrGuardar.OnTimer = [this] { TmrGuardar_Timer(); };
  TmrSleep.OnTimer = [this] { TmrSleep.SetEnabled(false); };

  // Button 0 is plugged in with the journal, which notes every connect and disconnect.
  Botones.SetAction(kBotonConfigurarCamara, [this] {
    if (!Botones.Pulsado(kBotonCamara) || sensores_->escaner.Activo()) return services_.beeper.Beep();
    pictures.Picture3.Visible = true;
    TmrReloj.SetEnabled(false);
    TmrSleep.SetEnabled(false);
    services_.window.ProcessEvents();
    camara_.ConfigCamera();
    conexion_->ConectarCamara();
    TmrReloj.SetEnabled(true);
    TmrSleep.SetEnabled(true);
  });
  Botones.SetAction(kBotonZona, [this] { zona_->ActivarZona(); });
  Botones.SetAction(kBotonSeguimiento, [this] { seguimiento_->AlternarSeguimiento(); });
}

void Form1::TmrGuardar_Timer() {
  const ResultadosTick& alarma = bucle_->Resultados();
  if (piezas_->entradas.Frecuencia() >= 0) grabador_->GuardarFoto(alarma.SonidoAlarma, alarma.Similitud);
  if (AlarmaArmada()) {
    const QString archivo = config.CarpetaAlarmas + '/' + alarma.SonidoAlarma;
    // The beep stands in for the alarm sound only when there is no alarm sound to play.
    if (!Subsistemas.ReproducirAlarma(archivo) && Subsistemas.AlarmaElegida().isEmpty()) services_.beeper.Beep();
  }
  TmrGuardar.SetEnabled(false);
}

}  // namespace miravela
