#include "detect/frame_loop.h"

#include <cmath>

#include "base/numbers.h"
#include "detect/comparacion.h"
#include "detect/imagen.h"
#include "detect/luz.h"

namespace miravela {

namespace {
constexpr double kSegundosDia = 86400.0;
constexpr float kUmbralObjeto = 0.05f;
}  // namespace

TextosCifras FormatoCifras(const DatosCifras& d, const QLocale& locale) {
  const QString m = QString::number(d.movimiento), s = QString::number(d.similitud);
  const QString p = locale.toString(static_cast<double>(d.porcentajeObjeto), 'g', 7);
  if (!d.ventanaNormal) {
    const QString camara = QLatin1Char('C') + d.numeroCamara;
    return {d.seguimiento ? camara + "  [ OBJ " + p + "% ]" : camara + "  [ MIN " + m + "/" + s + " ]", std::nullopt};
  }
  if (!d.ventanaExpandida)
    return {d.seguimiento ? "Miravela  [ OBJETO " + p + "% ]" : "Miravela  [ MIN " + m + "/" + s + " ]", std::nullopt};
  return {d.tituloBase, d.seguimiento ? "[ OBJETO " + p + "% ]  " : "[ MIN " + m + "/" + s + " ]  "};
}

int IntervaloVariable(std::int64_t msTick, int intervaloActual) {
  const std::int64_t siguiente = (msTick + intervaloActual) / 2;
  return static_cast<int>(std::clamp<std::int64_t>(siguiente, kIntervaloMinimo, INT32_MAX));
}

FrameLoop::FrameLoop(EntornoBucle entorno) : e_(std::move(entorno)) {}

void FrameLoop::TmrReloj_Timer() {
  GuardarInicio();
  TomarImagen();
  PrepararVista();
  r_ = ResultadosTick{};
  r_.SonidoAlarma = e_.entradas.AlarmaElegida();
  Analizar();
  if (e_.autoajuste.Activo()) e_.autoajuste.Paso();
  MostrarCifras();
  EntregarAlarma();
  e_.pictures.Picture2.SetPicture(e_.pictures.Picture1.Picture());
  AjustarFrecuencia();
}

float FrameLoop::SegundosDesdeMedianoche() const {
  return static_cast<float>(e_.clock.Now().time().msecsSinceStartOfDay() / 1000.0);
}

void FrameLoop::GuardarInicio() { e_.tmrReloj.Tag = QString::number(SegundosDesdeMedianoche(), 'g', 7); }

void FrameLoop::TomarImagen() {
  PictureBox& marco = e_.pictures.Picture4;
  if (e_.entradas.EscanerActivo()) {
    if (auto captura = e_.escaner.Snap()) marco.SetPicture(*captura);
    return;
  }
  auto instantanea = e_.camara.Snap();
  if (!instantanea) return;
  instantanea_ = *instantanea;
  // Zoom paints the snapshot larger from the top-left corner; the box crops the rest.
  marco.PaintPicture(instantanea_, 0, 0, marco.ScaleWidth() + e_.parametros.ZoomExtra,
                     marco.ScaleHeight() + e_.parametros.ZoomExtra);
}

void FrameLoop::PrepararVista() {
  FormPictures& p = e_.pictures;
  if (e_.entradas.VisionNocturna()) {
    AclararImagen(p.Picture4, p.Picture5, e_.zona, e_.entradas.DivisorNoche());
    AjustarImagen(p.Picture5, p.Picture1);
  } else {
    AjustarImagen(p.Picture4, p.Picture1);
  }
}

void FrameLoop::Analizar() {
  if (e_.seguimiento.Activo())
    Seguir();
  else
    DetectarCambios();
}

void FrameLoop::Seguir() {
  r_.PorcentajeObjeto = e_.seguimiento.SeguirObjeto(e_.parametros.ToleranciaColor);
  r_.AlarmaActiva =
      e_.seguimiento.AlarmaInversa() ? kUmbralObjeto >= r_.PorcentajeObjeto : r_.PorcentajeObjeto > kUmbralObjeto;
}

void FrameLoop::DetectarCambios() {
  const ResultadoComparacion c =
      CompararImagenes(e_.pictures.Picture1, e_.pictures.Picture2, e_.parametros,
                       UmbralColor(e_.entradas.ColorSensor()), e_.zona.Activa() ? &e_.zona : nullptr);
  r_.PuntosCambiados = c.PuntosCambiados;
  r_.PuntosComparados = c.PuntosComparados;
  if (c.Similitud) r_.Similitud = *c.Similitud;
  if (c.SonidoAlarma) r_.SonidoAlarma = *c.SonidoAlarma;
  // A change of most of the picture, even after the light was evened out, is the
  // light itself (a camera knocked, an infrared switch at dusk): the frame just
  // becomes the next reference.
  const bool global = CambioGlobal(c.PuntosCambiados, c.PuntosComparados, e_.parametros.RechazoLuz);
  r_.AlarmaActiva = !global && r_.Similitud <= e_.entradas.Movimiento() + 50;
}

void FrameLoop::MostrarCifras() {
  const DatosCifras datos{e_.pantalla.VentanaNormal(),
                          e_.pantalla.VentanaExpandida(),
                          e_.seguimiento.Activo(),
                          e_.entradas.Movimiento() + 50,
                          r_.Similitud,
                          r_.PorcentajeObjeto,
                          e_.numeroCamara,
                          e_.pantalla.TituloBase()};
  const TextosCifras textos = FormatoCifras(datos, e_.locale);
  e_.pantalla.FijarCaption(textos.caption);
  if (textos.txtSensor) e_.pantalla.FijarTxtSensor(*textos.txtSensor);
}

void FrameLoop::EntregarAlarma() {
  if (r_.AlarmaActiva && !e_.tmrSleep.Enabled()) e_.tmrGuardar.SetEnabled(true);
}

void FrameLoop::AjustarFrecuencia() {
  if (e_.entradas.Frecuencia() >= 1) return;
  double transcurrido = SegundosDesdeMedianoche() - LeadingNumber(e_.tmrReloj.Tag);
  // The start is kept as text of a single, a few milliseconds coarse: a small negative
  // is a short tick, a large one a tick that ran over midnight.
  if (transcurrido < -kSegundosDia / 2)
    transcurrido += kSegundosDia;
  else if (transcurrido < 0)
    transcurrido = 0;
  const auto ms = static_cast<std::int64_t>(std::floor(transcurrido * 1000));
  e_.tmrReloj.SetInterval(IntervaloVariable(ms, e_.tmrReloj.Interval()));
}

}  // namespace miravela
