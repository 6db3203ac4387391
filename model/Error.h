// The two kinds of error the system raises; each carries one message text.
#pragma once

#include <stdexcept>
#include <string>

// Common base: the driver catches this and prints the message unchanged.
class PlimkoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised by the scanner, the reader, the model and the writer for every failure
// that is not a failed downcast.
class GenericError : public PlimkoError {
 public:
  using PlimkoError::PlimkoError;
};

// Raised by the checked downcasts (To...) when the object is of another class.
class InvalidCastError : public PlimkoError {
 public:
  using PlimkoError::PlimkoError;
};
