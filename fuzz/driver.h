#pragma once
// What every fuzz target provides: the conventional one-input entry point, and seeds
// made at run time by the program's own writers (--write-seeds saves them as files,
// for a coverage-guided fuzzer).
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace miravela::fuzz {

// Inputs that a writer of the program produced, to mutate from.
std::vector<QByteArray> Semillas();
// Byte strings that mean something to the reader (section names, prefixes, limits).
std::vector<QByteArray> Palabras();

// A property of the reader that does not hold: reports it with the input and stops.
[[noreturn]] void Fallo(std::string_view que);

}  // namespace miravela::fuzz

#define FUZZ_CHECK(cond)                                                                        \
  do {                                                                                          \
    if (!(cond)) ::miravela::fuzz::Fallo(__FILE__ ":" + std::to_string(__LINE__) + ": " #cond); \
  } while (false)
