#pragma once
// Alarm photographs: the frame stamped with date, time and camera tag, written as a
// JPEG into the day's folder, remembered for the e-mail alert.
#include <QImage>
#include <QString>
#include <array>
#include <functional>

#include "base/control.h"
#include "base/model_timer.h"

namespace miravela {

// Stamp sizes by canvas width in twips.
int TamanoSello(int anchoTwips);
// "yyyy-mm-dd (hh:mm:ss) TAG"
QString TextoSello(const QDateTime& cuando, const QString& etiqueta);
// "yyyy-mm-dd (hhmmss) N.jpg"
QString NombreFoto(const QDateTime& cuando, int contador);

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
    std::function<QImage()> lienzo;
    std::function<void(const QImage&)> fijarLienzo;
    std::function<double()> twipsPorPixel;
    std::function<bool()> vistaVacia;      // no frame has arrived yet
    std::function<bool()> visionNocturna;  // refill the canvas from the brightened picture
    std::function<void()> rellenarDesdeNoche;
    std::function<bool()> enMarcha;  // start-up completed
    std::function<bool()> programadorActivo;
    std::function<int()> diasGuardar;
    std::function<bool()> avisoEmailActivo;
    std::function<void()> enviarAvisoEmail;  // resets FotosSinEnviar itself on success
    std::function<void()> procesarEventos;
    // Writes the JPEG; never overwrites. Returns true when the file was written.
    std::function<bool(const QImage&, int calidad, const QString& ruta)> codificar;
  };

  explicit GrabadorFotos(Entorno entorno) : e_(std::move(entorno)) { ImgRec.Visible = false; }

  void GuardarFoto();
  void DepurarCarpetas();

  Control ImgRec;  // the recording indicator, shown while a photograph is saved
  int ContadorFotos = 0;
  QString CarpetaDia;
  QString UltimaFoto;
  std::array<QString, 10> FotosRecientes;  // slot 1 is index 0
  int FotosSinEnviar = 0;
  int FotosPorEnvio = 1;
  int FotosAdjuntas = 1;

 private:
  void Sellar(QImage& lienzo, const QDateTime& cuando);
  void RecordarParaEmail();
  Entorno e_;
};

}  // namespace miravela

namespace miravela {

class cJpeg;
// The photograph through the image and the encoder, as the recorder writes it: no
// chroma subsampling, the given quality, no user comment. False when nothing was written.
bool GuardarJpeg(cJpeg& jpeg, const QImage& foto, int calidad, const QString& ruta);

}  // namespace miravela
