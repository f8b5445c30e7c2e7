#pragma once
// The 46-byte settings record shared by almost every file in Recursos, and the
// rules every reader and writer of such a file follows.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace miravela {

// A tagged value as stored: type 0 empty, 2 a 16-bit integer, 8 a Windows-1252 text.
class ValorEtiquetado {
 public:
  enum class Tipo : std::uint16_t { Vacio = 0, Entero = 2, Texto = 8 };

  ValorEtiquetado() = default;
  static ValorEtiquetado Entero(std::int16_t value);
  // Refuses texts with characters outside Windows-1252 (the record could not hold them).
  static std::optional<ValorEtiquetado> Texto(const QString& text);
  static ValorEtiquetado TextoBytes(QByteArray bytes);

  Tipo tipo() const { return tipo_; }
  std::int16_t entero() const { return entero_; }
  const QByteArray& bytes() const { return texto_; }
  // The value's text form: "" when empty, the decimal number, or the text itself.
  QString ComoTexto() const;
  // Read the way every owner reads a tagged field: the leading number of its text form.
  double ComoNumero() const;

  std::size_t TamanoSerializado() const;
  bool operator==(const ValorEtiquetado&) const = default;

 private:
  Tipo tipo_ = Tipo::Vacio;
  std::int16_t entero_ = 0;
  QByteArray texto_;
};

struct RegistroAjustes {
  static constexpr std::size_t kLongitud = 46;

  ValorEtiquetado Campo1;
  ValorEtiquetado Campo2;
  bool Campo3 = false;
  std::int32_t Campo4 = 0;
  std::int32_t Campo5 = 0;
  std::int32_t Campo6 = 0;

  // The 46 bytes of the record, or nothing when its fields need more room than that.
  std::optional<std::array<std::uint8_t, kLongitud>> Serializar() const;
  // Reads as much of a record as `bytes` holds; fields past the end keep their
  // cleared values, as a short read leaves them.
  static RegistroAjustes Leer(const QByteArray& bytes);
  bool operator==(const RegistroAjustes&) const = default;
};

// Who may read a settings file once written. A file that holds a secret is readable by
// its owner only, from the moment it is created and whatever the user's umask.
enum class AccesoArchivo { Normal, SoloPropietario };

// Writes records 1..n of a settings file. Every record is checked first, so a record
// that does not fit leaves the old file whole. A read-only file is still rewritten;
// bytes beyond the written records are kept. Returns false when nothing was written.
bool EscribirRegistros(const QString& archivo, const std::vector<RegistroAjustes>& registros,
                       AccesoArchivo acceso = AccesoArchivo::Normal);

// Reads records 1..count, or nothing when the file does not exist (the owner then
// applies its defaults). Records beyond the end of the file come back cleared.
std::optional<std::vector<RegistroAjustes>> LeerRegistros(const QString& archivo, std::size_t count);

}  // namespace miravela
