#pragma once
// Size units, wherever the program speaks of them (the disk reserve, the journal).
#include <cstdint>

namespace miravela {

inline constexpr std::int64_t kBytesPorMegabyte = 1024 * 1024;

}  // namespace miravela
