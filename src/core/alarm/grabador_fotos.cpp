#include "alarm/grabador_fotos.h"

#include <QPainter>
#include <QPainterPath>

#include "alarm/dib_image.h"
#include "alarm/jpeg_encoder.h"
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

void GrabadorFotos::GuardarFoto() {
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

  UltimaFoto = carpeta + '/' + NombreFoto(e_.clock.Now(), ContadorFotos);
  if (!foto.isNull() && e_.codificar) e_.codificar(foto, e_.calidadJpeg, UltimaFoto);

  if (e_.avisoEmailActivo()) RecordarParaEmail();
  ImgRec.Visible = false;
}

void GrabadorFotos::RecordarParaEmail() {
  const int adjuntas = std::clamp(FotosAdjuntas, 1, static_cast<int>(FotosRecientes.size()));
  for (int i = 0; i + 1 < adjuntas; ++i)
    FotosRecientes[static_cast<std::size_t>(i)] = FotosRecientes[static_cast<std::size_t>(i + 1)];
  FotosRecientes[static_cast<std::size_t>(adjuntas - 1)] = UltimaFoto;
  ++FotosSinEnviar;
  if (FotosSinEnviar >= FotosPorEnvio && e_.enviarAvisoEmail) e_.enviarAvisoEmail();
}

void GrabadorFotos::DepurarCarpetas() {
  if (!e_.enMarcha() || !e_.programadorActivo()) return;
  const int dias = e_.diasGuardar();
  if (dias < 1) return;
  // Only day folders count and go: the user's own folders beside them are left alone.
  QStringList dayFolders = CarpetasDia(e_.carpetaImagenes);
  while (dayFolders.size() >= dias) {
    EliminarCarpeta(e_.carpetaImagenes + '/' + dayFolders.front());
    const QStringList next = CarpetasDia(e_.carpetaImagenes);
    if (next.size() >= dayFolders.size()) break;  // could not delete: do not spin
    dayFolders = next;
  }
}

bool GuardarJpeg(cJpeg& jpeg, const QImage& foto, int calidad, const QString& ruta) {
  // The encoder reads the picture's pixels as they are, so no 24-bit copy is made first.
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  jpeg.SetQuality(calidad);
  jpeg.SetComment("");
  if (jpeg.SampleHDC(foto, foto.width(), foto.height(), 0, 0) != cJpeg::kSampled) return false;
  return jpeg.SaveFile(ruta) == cJpeg::kSaved;
}

}  // namespace miravela
