#pragma once
// The program's version as people see it ("11.23"), taken from the build's one record of it.
namespace miravela {

const char* VersionPrograma();

}  // namespace miravela
