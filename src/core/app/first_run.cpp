// What the first run leaves behind: the read-me beside the program, which doubles as
// the check that the program folder can be written, and a launcher on the desktop.
#include <QFile>
#include <QImage>
#include <QPainter>

#include "app/form1.h"
#include "base/folders.h"
#include "base/version.h"

namespace miravela {
namespace {

// The first line is the program's name and version.
const char* const kLeame[] = {
    nullptr,
    "Programa y textos: el equipo de Miravela",
    "Todos los derechos reservados",
    "Hecho con cariño para vigilar casas y tiendas",
    "",
    "",
    "",
    "",
    "",
    "",
    "ACERCA DE MIRAVELA",
    "",
    "Miravela es un programa gratuito que permite convertir una cámara Web en una ",
    "cámara de seguridad. Podrás recibir alertas por email con fotos o reproducir ",
    "alarmas de voz para indicarte los lugares donde se han detectado movimientos ",
    "sospechosos. También es posible hacer vigilancia por Internet desde cualquier ",
    "dispositivo utilizando los servicios en la nube de Google Drive, OneDrive, ",
    "Dropbox y sin necesidad de direcciones IP.",
    "",
    "",
    "",
    "",
    "ACERCA DE LAS TECLAS DE ACCESO DIRECTO",
    "",
    " Tecla \"F1\" : Abrir Documento de Ayuda",
    "",
    " Tecla \"F2\" : Abrir Cámara Web C2",
    " Tecla \"F3\" : Abrir Cámara Web C3",
    " Tecla \"F4\" : Abrir Cámara Web C4",
    "",
    " Tecla \"F9\" : Conectar/Desconectar Cámara Web",
    "Tecla \"F10\" : Abrir Carpeta de Imágenes",
    "Tecla \"F11\" : Configurar Cámara Web",
    "Tecla \"F12\" : Activar/Desactivar Alarma",
    "",
    "Shift + \"A\" : Activar/Desactivar Autoajuste de Sensores",
    "Shift + \"E\" : Activar/Desactivar Capturador de Pantalla",
    "Shift + \"N\" : Activar/Desactivar Visión Nocturna",
    "Shift + \"S\" : Activar Temporizador (2M/5M/10M/OFF)",
    "Shift + \"R\" : Reducir/Expandir Ventana",
    "",
    "Shift + \"I\" : Abrir Carpeta de Imágenes",
    "Shift + \"D\" : Abrir Imágenes del Día",
    "Shift + \"U\" : Abrir Última Imagen",
    "",
    "Shift + \"L\" : Abrir Carpeta de Alarmas",
    "Shift + \"O\" : Abrir Carpeta de Sonidos",
    "Shift + \"F\" : Abrir Carpeta de Fondos",
    "",
    "Ctrl + Alt + \"C\" : Abrir Archivo de Configuración",
    "     Shift + \"P\" : Ejecutar Plugin",
    "",
    "",
    "",
    "",
    "COMENTARIOS",
    "",
    "Si tienes alguna pregunta o sugerencia puedes escribirme al correo electrónico ",
    "contacto@miravela.org o visitar la página web https://miravela.org",
    "",
    "Eso es todo, gracias.",
    "",
};
static_assert(std::size(kLeame) == 62);

// Quotes a path for the Exec key of a desktop entry.
QString ExecQuoted(const QString& path) {
  QString escaped = path;
  for (const char* special : {"\\", "\"", "`", "$"}) escaped.replace(special, QString("\\") + special);
  return '"' + escaped + '"';
}

void EscribirIcono(const QString& archivo) {
  if (Existe(archivo)) return;
  QImage icon(64, 64, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0x40, 0x40, 0x40));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(6, 16, 44, 32, 6, 6);
  p.drawPolygon(QPolygon({QPoint(48, 26), QPoint(60, 18), QPoint(60, 46), QPoint(48, 38)}));
  p.setBrush(QColor(0xFF, 0x40, 0x40));
  p.drawEllipse(QPoint(28, 32), 9, 9);
  p.end();
  icon.save(archivo, "ICO");
}

}  // namespace

bool Form1::CrearLeame() {
  const QString archivo = programa.Ruta(QString::fromUtf8("Miravela Léame.TXT"));
  if (Existe(archivo)) return true;
  QFile file(archivo);
  if (!file.open(QIODevice::WriteOnly)) {
    services_.messages.Show(
        QString::fromUtf8("La carpeta '") + programa.Carpeta + QString::fromUtf8("' está protegida contra escritura."),
        "Miravela - Imposible Continuar", IconoMensaje::Critico, BotonesMensaje::Aceptar);
    return false;
  }
  QByteArray text;
  for (const char* line : kLeame) text += (line ? QByteArray(line) : NombreVersion().toUtf8()) + "\r\n";
  file.write(text);
  return true;
}

void Form1::CrearAccesoDirecto() {
  const QString escritorio = services_.desktop.Path();
  if (escritorio.isEmpty()) return;
  const QString archivo = escritorio + "/Miravela.desktop";
  if (Existe(archivo)) return;

  const QString icono = programa.Ruta("Recursos/Miravela.ico");
  EscribirIcono(icono);
  const QString entry = QStringLiteral(
                            "[Desktop Entry]\nType=Application\nName=Miravela\n"
                            "Comment=Cámara de seguridad con una cámara Web\nExec=%1\nPath=%2\nIcon=%3\n"
                            "Terminal=false\nCategories=Video;Security;\n")
                            .arg(ExecQuoted(ejecutable_), programa.Carpeta, icono);
  QFile file(archivo);
  // A launcher that could not be written is not announced as created.
  if (!file.open(QIODevice::WriteOnly) || file.write(entry.toUtf8()) < 0) return;
  file.close();
  file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);

  services_.messages.Show(
      QString::fromUtf8("Un acceso directo con el nombre \"Miravela\" ha sido creado en el escritorio. "
                        "El programa se encuentra en la carpeta '") +
          programa.Carpeta + "'.\r\n\r\n" +
          "Para desinstalar el programa simplemente elimine el acceso directo y la carpeta \"Miravela\".",
      "Miravela - BIENVENIDO", IconoMensaje::Informacion, BotonesMensaje::Aceptar);
}

}  // namespace miravela
