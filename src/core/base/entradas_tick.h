#pragma once
// The sensor panel and image modes as a frame-loop tick reads them; the sensors
// implement it, the frame loop asks it.
#include <QString>
#include <cstdint>

namespace miravela {

// What a tick reads from the sensor panel and the image-mode switches.
class EntradasTick {
 public:
  virtual ~EntradasTick() = default;
  virtual int Movimiento() const = 0;         // slider 0, 0..50
  virtual int ColorSensor() const = 0;        // slider 1, 0..50
  virtual int Frecuencia() const = 0;         // slider 2; below 1 the loop sets its own pace
  virtual QString AlarmaElegida() const = 0;  // text of the alarm-sound list
  virtual bool EscanerActivo() const = 0;
  virtual bool VisionNocturna() const = 0;
  virtual std::uint8_t DivisorNoche() const = 0;
};

}  // namespace miravela
