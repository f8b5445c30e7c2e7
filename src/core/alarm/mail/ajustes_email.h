#pragma once
// The e-mail alert settings and their file Recursos/Miravela.NML: 22 settings records,
// texts in pieces of twelve characters, the password stored as digits.
#include <QString>
#include <array>
#include <optional>

namespace miravela {

inline constexpr const char* kArchivoNml = "Recursos/Miravela.NML";
inline constexpr int kLargoTextoCorreo = 48;
inline constexpr int kLargoClaveCorreo = 24;
inline constexpr int kCopiasCorreo = 5;
inline constexpr int kFotosPorEnvioDefecto = 10;
inline constexpr int kFotosAdjuntasDefecto = 5;
inline constexpr int kFotosAdjuntasMaximo = 10;

struct AjustesEmail {
  QString AsuntoCorreo;
  QString MensajeCorreo;
  QString CuentaCorreo;
  QString ClaveCorreo;
  std::array<QString, kCopiasCorreo> CopiaCorreo;
  int AsuntoAutomatico = 0;
  int FotosPorEnvio = kFotosPorEnvioDefecto;
  int FotosAdjuntas = kFotosAdjuntasDefecto;
  bool operator==(const AjustesEmail&) const = default;
};

// Each character as the count of digits of its ANSI code, then the digits ("é" is
// "3233"). Nothing when a character has no ANSI code.
std::optional<QString> CodificarClave(const QString& clave);
// The reverse; nothing when the digits do not make whole characters.
std::optional<QString> DecodificarClave(const QString& digitos);

// Reads the file into `ajustes`. A missing file sets only the two photograph counts to
// their defaults; a password whose digits are damaged keeps the one held.
void CargarAvisoEmail(const QString& archivo, AjustesEmail& ajustes);
// Writes the file, readable by its owner only since it holds the password. False when
// nothing was written: a text too long or with a character the file cannot hold, or a
// file that cannot be written.
bool GuardarAvisoEmail(const QString& archivo, const AjustesEmail& ajustes);

// Surrounding blanks removed, as every text of the file is stored.
QString QuitarEspacios(const QString& text);

// How the dialog's lists name a count of photographs: "1 Foto", "20 Fotos".
QString TextoFotos(int fotos);

}  // namespace miravela
