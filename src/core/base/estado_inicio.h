#pragma once
// EstadoInicio, the window's start-up state, which several parts read: they act only
// once start-up has completed.

namespace miravela {

inline constexpr int kEstadoAbandonado = -1;   // start-up gave up
inline constexpr int kEstadoEnMarcha = 28657;  // start-up completed, running
inline constexpr int kEstadoCerrando = 0;      // the user confirmed the close

}  // namespace miravela
