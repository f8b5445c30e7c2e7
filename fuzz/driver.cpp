// A seeded mutation driver: runs every seed, then a fixed number of mutated inputs,
// all from one random seed, so a run is repeatable and bounded in time. An input
// that breaks a property or trips a sanitizer is saved beside the run to replay:
//   fuzz_<name> [--runs N] [--seed S] [--max-len L] [--write-seeds DIR] [FILE...]
#include "driver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "mutador.h"

extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace miravela::fuzz {
namespace {

QByteArray actual;
QString nombreFallo = QStringLiteral("fuzz-fallo.bin");

void GuardarActual() {
  QFile file(nombreFallo);
  if (file.open(QIODevice::WriteOnly)) file.write(actual);
  std::fprintf(stderr, "input of %lld bytes saved to %s\n", static_cast<long long>(actual.size()),
               qPrintable(QDir::current().absoluteFilePath(nombreFallo)));
}

void Probar(const QByteArray& input) {
  actual = input;
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                         static_cast<std::size_t>(input.size()));
}

struct Opciones {
  long long runs = 1000;
  std::uint64_t seed = 1;
  qsizetype maxLen = 1 << 16;
  QString semillasEn;
  QStringList archivos;
};

Opciones LeerOpciones(const QStringList& args) {
  Opciones o;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool conValor = i + 1 < args.size();
    if (a == "--runs" && conValor)
      o.runs = args[++i].toLongLong();
    else if (a == "--seed" && conValor)
      o.seed = args[++i].toULongLong();
    else if (a == "--max-len" && conValor)
      o.maxLen = args[++i].toLongLong();
    else if (a == "--write-seeds" && conValor)
      o.semillasEn = args[++i];
    else
      o.archivos << a;
  }
  return o;
}

int EscribirSemillas(const QString& carpeta, const std::vector<QByteArray>& semillas) {
  QDir().mkpath(carpeta);
  for (std::size_t i = 0; i < semillas.size(); ++i) {
    QFile file(QDir(carpeta).filePath(QStringLiteral("semilla-%1").arg(i)));
    if (!file.open(QIODevice::WriteOnly) || file.write(semillas[i]) != semillas[i].size()) return 1;
  }
  std::printf("%zu seeds written to %s\n", semillas.size(), qPrintable(carpeta));
  return 0;
}

}  // namespace

void Fallo(std::string_view que) {
  std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(que.size()), que.data());
  GuardarActual();
  std::abort();
}

}  // namespace miravela::fuzz

int main(int argc, char** argv) {
  using namespace miravela::fuzz;
  // The models paint text and pictures as the window does, on the offscreen platform.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const Opciones o = LeerOpciones(app.arguments());
  nombreFallo = QStringLiteral("fuzz-fallo-%1.bin").arg(QFileInfo(app.arguments()[0]).fileName());
  if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(GuardarActual);

  const std::vector<QByteArray> semillas = Semillas();
  if (!o.semillasEn.isEmpty()) return EscribirSemillas(o.semillasEn, semillas);
  if (!o.archivos.isEmpty()) {
    for (const QString& archivo : o.archivos) {
      QFile file(archivo);
      if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(archivo));
        return 2;
      }
      Probar(file.readAll());
    }
    std::printf("%lld inputs replayed\n", static_cast<long long>(o.archivos.size()));
    return 0;
  }
  if (semillas.empty()) {
    std::fprintf(stderr, "no seeds\n");
    return 2;
  }
  for (const QByteArray& semilla : semillas) Probar(semilla);
  Mutador mutador(o.seed, semillas, Palabras(), o.maxLen);
  for (long long i = 0; i < o.runs; ++i) Probar(mutador.Siguiente());
  std::printf("%zu seeds and %lld mutated inputs (seed %llu) held\n", semillas.size(), o.runs,
              static_cast<unsigned long long>(o.seed));
  return 0;
}
