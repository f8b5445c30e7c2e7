#include "base/registro_ajustes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "base/folders.h"
#include "base/numbers.h"
#include "base/text_codec.h"

namespace miravela {
namespace {

class ByteWriter {
 public:
  explicit ByteWriter(std::array<std::uint8_t, RegistroAjustes::kLongitud>& out) : out_(out) {}
  void U16(std::uint16_t v) {
    out_[pos_++] = static_cast<std::uint8_t>(v & 0xFF);
    out_[pos_++] = static_cast<std::uint8_t>(v >> 8);
  }
  void I32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) out_[pos_++] = static_cast<std::uint8_t>(u >> shift);
  }
  void Bytes(const QByteArray& b) {
    for (char c : b) out_[pos_++] = static_cast<std::uint8_t>(c);
  }

 private:
  std::array<std::uint8_t, RegistroAjustes::kLongitud>& out_;
  std::size_t pos_ = 0;
};

// Reads little-endian fields until the bytes run out; after that every read fails.
class ByteReader {
 public:
  explicit ByteReader(const QByteArray& in) : in_(in) {}
  bool ok() const { return ok_; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Unsigned(2)); }
  std::int32_t I32() { return static_cast<std::int32_t>(Unsigned(4)); }
  QByteArray Bytes(std::size_t n) {
    if (!Need(n)) return {};
    QByteArray b = in_.mid(static_cast<qsizetype>(pos_), static_cast<qsizetype>(n));
    pos_ += n;
    return b;
  }

 private:
  bool Need(std::size_t n) {
    ok_ = ok_ && pos_ + n <= static_cast<std::size_t>(in_.size());
    return ok_;
  }
  std::uint32_t Unsigned(std::size_t n) {
    if (!Need(n)) return 0;
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n; ++i)
      v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(in_[static_cast<qsizetype>(pos_ + i)])) << (8 * i);
    pos_ += n;
    return v;
  }

  const QByteArray& in_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

std::optional<ValorEtiquetado> LeerValor(ByteReader& in) {
  const std::uint16_t tipo = in.U16();
  if (!in.ok()) return std::nullopt;
  switch (tipo) {
    case 2: {
      const auto v = static_cast<std::int16_t>(in.U16());
      return in.ok() ? std::optional(ValorEtiquetado::Entero(v)) : std::nullopt;
    }
    case 8: {
      const std::uint16_t n = in.U16();
      QByteArray b = in.Bytes(n);
      return in.ok() ? std::optional(ValorEtiquetado::TextoBytes(std::move(b))) : std::nullopt;
    }
    default:
      return ValorEtiquetado{};
  }
}

void EscribirValor(ByteWriter& out, const ValorEtiquetado& v) {
  out.U16(static_cast<std::uint16_t>(v.tipo()));
  if (v.tipo() == ValorEtiquetado::Tipo::Entero) out.U16(static_cast<std::uint16_t>(v.entero()));
  if (v.tipo() == ValorEtiquetado::Tipo::Texto) {
    out.U16(static_cast<std::uint16_t>(v.bytes().size()));
    out.Bytes(v.bytes());
  }
}

// A private file is created with no access for others, and an older copy that others
// could read is closed to them before a single byte of the new content goes in.
bool AbrirParaEscribir(QFile& file, AccesoArchivo acceso) {
  if (acceso == AccesoArchivo::Normal) return file.open(QIODevice::ReadWrite);
  const QByteArray ruta = QFile::encodeName(file.fileName());
  const int fd = ::open(ruta.constData(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (fd < 0) return false;
  if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || !file.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
}

}  // namespace

ValorEtiquetado ValorEtiquetado::Entero(std::int16_t value) {
  ValorEtiquetado v;
  v.tipo_ = Tipo::Entero;
  v.entero_ = value;
  return v;
}

std::optional<ValorEtiquetado> ValorEtiquetado::Texto(const QString& text) {
  auto bytes = EncodeCp1252(text);
  if (!bytes) return std::nullopt;
  return TextoBytes(std::move(*bytes));
}

ValorEtiquetado ValorEtiquetado::TextoBytes(QByteArray bytes) {
  ValorEtiquetado v;
  v.tipo_ = Tipo::Texto;
  v.texto_ = std::move(bytes);
  return v;
}

QString ValorEtiquetado::ComoTexto() const {
  switch (tipo_) {
    case Tipo::Entero:
      return QString::number(entero_);
    case Tipo::Texto:
      return DecodeCp1252(texto_);
    case Tipo::Vacio:
      break;
  }
  return {};
}

double ValorEtiquetado::ComoNumero() const { return LeadingNumber(ComoTexto()); }

std::size_t ValorEtiquetado::TamanoSerializado() const {
  switch (tipo_) {
    case Tipo::Entero:
      return 4;
    case Tipo::Texto:
      return 4 + static_cast<std::size_t>(texto_.size());
    case Tipo::Vacio:
      break;
  }
  return 2;
}

std::optional<std::array<std::uint8_t, RegistroAjustes::kLongitud>> RegistroAjustes::Serializar() const {
  const std::size_t size = Campo1.TamanoSerializado() + Campo2.TamanoSerializado() + 2 + 12;
  if (size > kLongitud) return std::nullopt;
  std::array<std::uint8_t, kLongitud> out{};
  ByteWriter w(out);
  EscribirValor(w, Campo1);
  EscribirValor(w, Campo2);
  w.U16(Campo3 ? 0xFFFF : 0);
  w.I32(Campo4);
  w.I32(Campo5);
  w.I32(Campo6);
  return out;
}

RegistroAjustes RegistroAjustes::Leer(const QByteArray& bytes) {
  RegistroAjustes r;
  ByteReader in(bytes);
  if (auto v = LeerValor(in))
    r.Campo1 = *v;
  else
    return r;
  if (auto v = LeerValor(in))
    r.Campo2 = *v;
  else
    return r;
  const std::uint16_t flag = in.U16();
  if (!in.ok()) return r;
  r.Campo3 = flag != 0;
  const std::int32_t c4 = in.I32();
  if (!in.ok()) return r;
  r.Campo4 = c4;
  const std::int32_t c5 = in.I32();
  if (!in.ok()) return r;
  r.Campo5 = c5;
  const std::int32_t c6 = in.I32();
  if (in.ok()) r.Campo6 = c6;
  return r;
}

bool EscribirRegistros(const QString& archivo, const std::vector<RegistroAjustes>& registros, AccesoArchivo acceso) {
  std::vector<std::array<std::uint8_t, RegistroAjustes::kLongitud>> images;
  for (const auto& r : registros) {
    auto image = r.Serializar();
    if (!image) return false;
    images.push_back(*image);
  }
  LimpiarAtributos(archivo);
  QFile file(archivo);
  if (!AbrirParaEscribir(file, acceso)) return false;
  bool ok = true;
  for (std::size_t n = 0; n < images.size(); ++n) {
    ok = ok && file.seek(static_cast<qint64>(n * RegistroAjustes::kLongitud));
    ok = ok && file.write(reinterpret_cast<const char*>(images[n].data()), RegistroAjustes::kLongitud) ==
                   static_cast<qint64>(RegistroAjustes::kLongitud);
  }
  return ok;
}

std::optional<std::vector<RegistroAjustes>> LeerRegistros(const QString& archivo, std::size_t count) {
  if (!Existe(archivo)) return std::nullopt;
  QFile file(archivo);
  std::vector<RegistroAjustes> out(count);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  for (std::size_t n = 0; n < count; ++n) {
    if (!file.seek(static_cast<qint64>(n * RegistroAjustes::kLongitud))) break;
    out[n] = RegistroAjustes::Leer(file.read(RegistroAjustes::kLongitud));
  }
  return out;
}

}  // namespace miravela
