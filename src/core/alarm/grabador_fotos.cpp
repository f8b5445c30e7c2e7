#include "alarm/grabador_fotos.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

#include "alarm/dib_image.h"
#include "alarm/jpeg/jpeg_encoder.h"
#include "base/day_folders.h"
#include "base/folders.h"

namespace miravela {

int TamanoSello(int anchoTwips) {
  if (anchoTwips < 5000) return 12;
  if (anchoTwips < 10000) return 14;
  return 16;
}

QString TextoSello(const QDateTime& cuando, const QString& etiqueta) {
  return cuando.toString("yyyy-MM-dd (HH:mm:ss) ") + etiqueta;
}

QString NombreFoto(const QDateTime& cuando, int contador) {
  return cuando.toString("yyyy-MM-dd (HHmmss) ") + QString::number(contador) + ".jpg";
}

void GrabadorFotos::Sellar(QImage& lienzo, const QDateTime& cuando) {
  const int anchoTwips = static_cast<int>(lienzo.width() * e_.twipsPorPixel());
  QPainter p(&lienzo);
  QFont font(QStringLiteral("DejaVu Sans"));
  // Points on a 96 DPI canvas, whatever the image's own resolution says.
  font.setPixelSize(TamanoSello(anchoTwips) * 96 / 72);
  const QFontMetrics metrics(font);
  // The text position (50, 5) is the top-left corner of the line, in pixels.
  QPainterPath texto;
  texto.addText(QPointF(50, 5 + metrics.ascent()), font, TextoSello(cuando, e_.etiquetaCamara));
  // Light letters with a thin dark rim read on a bright wall as well as in the dark.
  p.setRenderHint(QPainter::Antialiasing);
  p.strokePath(texto, QPen(QColor(0x10, 0x10, 0x10), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.fillPath(texto, Qt::white);
}

void GrabadorFotos::GuardarFoto(const QString& sonidoAlarma, int similitud) {
  if (e_.vistaVacia()) return;
  ImgRec.Visible = true;
  if (e_.visionNocturna()) e_.rellenarDesdeNoche();

  QImage lienzo = e_.lienzo();
  if (!lienzo.isNull()) {
    Sellar(lienzo, e_.clock.Now());
    e_.fijarLienzo(lienzo);
  }
  ++ContadorFotos;

  CarpetaDia = e_.clock.Now().toString("yyyy-MM-dd");
  const QString carpeta = e_.carpetaImagenes + '/' + CarpetaDia;
  if (!ExisteCarpeta(carpeta)) {
    DepurarCarpetas();
    CrearCarpeta(carpeta);
    ContadorFotos = 1;
  }
  e_.procesarEventos();

  // The stamped picture also stays on disk as a bitmap, as it always has; the
  // photograph is encoded from the same pixels.
  const QImage& foto = lienzo;
  SaveBitmap24(foto, e_.archivoTemporal);

  const QDateTime cuando = e_.clock.Now();
  UltimaFoto = carpeta + '/' + NombreFoto(cuando, ContadorFotos);
  const bool escrita = !foto.isNull() && GuardarJpeg(jpeg_, foto, e_.calidadJpeg, UltimaFoto);

  if (e_.avisoEmailActivo()) RecordarParaEmail();
  ImgRec.Visible = false;
  if (escrita) Guardada.Raise({UltimaFoto, cuando, sonidoAlarma, similitud});
}

void GrabadorFotos::RecordarParaEmail() {
  const int adjuntas = std::clamp(FotosAdjuntas, 1, static_cast<int>(FotosRecientes.size()));
  for (int i = 0; i + 1 < adjuntas; ++i)
    FotosRecientes[static_cast<std::size_t>(i)] = FotosRecientes[static_cast<std::size_t>(i + 1)];
  FotosRecientes[static_cast<std::size_t>(adjuntas - 1)] = UltimaFoto;
  ++FotosSinEnviar;
}

void GrabadorFotos::DepurarCarpetas() {
  if (!e_.enMarcha() || !e_.programadorActivo()) return;
  const int dias = e_.diasGuardar();
  if (dias < 1) return;
  // Only the program's photographs go, and the day folders they leave empty: the
  // images folder may be one the user keeps other things in.
  PodarCarpetasDia(e_.carpetaImagenes, dias);
}

bool GuardarJpeg(cJpeg& jpeg, const QImage& foto, int calidad, const QString& ruta) {
  // The encoder reads the picture's pixels as they are, so no 24-bit copy is made first.
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  jpeg.SetQuality(calidad);
  jpeg.SetComment("");
  if (jpeg.SampleHDC(foto, foto.width(), foto.height(), 0, 0) != cJpeg::kSampled) return false;
  if (Existe(ruta) || QFileInfo(ruta).isSymLink()) return false;
  // Written under a hidden name beside it and renamed when whole, so a power cut or a
  // kill leaves no torn photograph for the mailer or the user to take for a real one.
  const QFileInfo destino(ruta);
  const QString parcial = destino.path() + "/." + destino.fileName() + ".part";
  QFile::remove(parcial);
  if (jpeg.SaveFile(parcial) != cJpeg::kSaved) {
    QFile::remove(parcial);
    return false;
  }
  if (QFile::rename(parcial, ruta)) return true;
  QFile::remove(parcial);
  return false;
}

}  // namespace miravela
