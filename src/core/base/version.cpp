#include "base/version.h"

namespace miravela {

const char* VersionPrograma() { return MIRAVELA_VERSION; }

}  // namespace miravela
