#pragma once
// What detection needs of sensor auto-adjust: whether it runs, its per-frame step,
// and stopping it (switching tracking on, or the zone off while tracking, stops it).
namespace miravela {

class Autoajuste {
 public:
  virtual ~Autoajuste() = default;
  virtual bool Activo() const = 0;
  virtual void Paso() = 0;
  virtual void Detener() = 0;
};

}  // namespace miravela
