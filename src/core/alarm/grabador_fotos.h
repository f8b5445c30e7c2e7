#pragma once
// Alarm photographs: the frame stamped with date, time and camera tag, written as a
// JPEG into the day's folder, remembered for the e-mail alert.
#include <QImage>
#include <QString>
#include <array>
#include <functional>

#include "alarm/jpeg/jpeg_encoder.h"
#include "base/control.h"
#include "base/eventos.h"
#include "base/hook.h"
#include "base/model_timer.h"

namespace miravela {

// Stamp sizes by canvas width in twips.
int TamanoSello(int anchoTwips);
// "yyyy-mm-dd (hh:mm:ss) TAG"
QString TextoSello(const QDateTime& cuando, const QString& etiqueta);
// "yyyy-mm-dd (hhmmss) N.jpg"
QString NombreFoto(const QDateTime& cuando, int contador);

// The mail counters until the mail settings say otherwise.
inline constexpr int kFotosPorEnvioPorDefecto = 10;
inline constexpr int kFotosAdjuntasPorDefecto = 5;

class GrabadorFotos {
 public:
  struct Entorno {
    Clock& clock;
    const QString& carpetaImagenes;
    const QString& etiquetaCamara;
    const std::uint8_t& calidadJpeg;
    QString archivoTemporal;  // Recursos/PICTMP.bmp of this program folder
    // The full-size frame: the canvas the stamp is printed on, and where the stamped
    // picture goes back to.
    Hook<QImage()> lienzo;
    Hook<void(const QImage&)> fijarLienzo;
    Hook<double()> twipsPorPixel;
    Hook<bool()> vistaVacia;      // no frame has arrived yet
    Hook<bool()> visionNocturna;  // refill the canvas from the brightened picture
    Hook<void()> rellenarDesdeNoche;
    Hook<bool()> enMarcha;  // start-up completed
    Hook<bool()> programadorActivo;
    Hook<int()> diasGuardar;
    Hook<bool()> avisoEmailActivo;  // remember the photograph for the next mail
    Hook<void()> procesarEventos;
  };

  explicit GrabadorFotos(Entorno entorno) : e_(std::move(entorno)) { ImgRec.Visible = false; }

  // The alarm's zone-cell sound and similarity travel with the photograph to its listeners.
  void GuardarFoto(const QString& sonidoAlarma = {}, int similitud = 100);
  void DepurarCarpetas();

  Control ImgRec;  // the recording indicator, shown while a photograph is saved
  int ContadorFotos = 0;
  QString CarpetaDia;
  QString UltimaFoto;
  std::array<QString, 10> FotosRecientes;  // slot 1 is index 0
  int FotosSinEnviar = 0;
  int FotosPorEnvio = kFotosPorEnvioPorDefecto;
  int FotosAdjuntas = kFotosAdjuntasPorDefecto;

  // Raised once a photograph is whole on disk.
  Event<FotoGuardada> Guardada;

 private:
  void Sellar(QImage& lienzo, const QDateTime& cuando);
  void RecordarParaEmail();
  Entorno e_;
  cJpeg jpeg_;  // kept, so its buffers serve every photograph
};

}  // namespace miravela

namespace miravela {

// The photograph through the image and the encoder, as the recorder writes it: no
// chroma subsampling, the given quality, no user comment. The file appears under its
// name only once whole, and never replaces one. False when nothing was written.
bool GuardarJpeg(cJpeg& jpeg, const QImage& foto, int calidad, const QString& ruta);

}  // namespace miravela
