#pragma once
// The main-window model over a fake camera, desktop and services, started once:
// PWC (the window's place) and WCM (the chosen camera) are read and written through it.
#include <QTemporaryDir>
#include <memory>

#include "app/form1.h"
#include "base/fake_clock.h"
#include "comun.h"
#include "driver.h"
#include "support/fakes.h"

namespace miravela::fuzz {

struct Ventana {
  Ventana() {
    fakes.desktop.path = dir.path();
    camera.names = {QStringLiteral("Entrada"), QStringLiteral("Patio"), QStringLiteral("Entrada")};
    form = std::make_unique<Form1>(Form1Deps{.clock = clock,
                                             .services = fakes.services(),
                                             .programa = ProgramFolder{"1", dir.path()},
                                             .camara = camera,
                                             .pantalla = screen});
    form->Form_Load();
  }
  QString Recurso(const char* nombre) const { return dir.path() + "/Recursos/" + nombre; }

  QTemporaryDir dir;
  FakeClock clock;
  test::FakeServices fakes;
  test::FakeCamera camera;
  test::FakeScreen screen;
  std::unique_ptr<Form1> form;
};

inline Ventana& LaVentana() {
  static Ventana ventana;
  return ventana;
}

}  // namespace miravela::fuzz
