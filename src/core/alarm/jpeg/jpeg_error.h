#pragma once
// The encoder's refusals: a number and a description, as the caller sees them.
#include <stdexcept>
#include <string>

namespace miravela {

class JpegError : public std::runtime_error {
 public:
  JpegError(int number, const std::string& description) : std::runtime_error(description), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

}  // namespace miravela
