// The two kinds of error the system raises; each carries one message text.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <utility>

// Common base: the driver catches this and prints the message unchanged. The message
// is kept whole, since what() ends at a NUL that quoted diagram text may hold; it is
// shared so that copying an error cannot fail.
class PlimkoError : public std::exception {
 public:
  explicit PlimkoError(std::string message)
      : message_(std::make_shared<const std::string>(std::move(message))) {}
  const char* what() const noexcept override { return message_->c_str(); }
  const std::string& Message() const noexcept { return *message_; }

 private:
  std::shared_ptr<const std::string> message_;
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

// The whole message of any error: the system's own, or what() of any other.
inline std::string MessageOf(const std::exception& error) {
  const auto* own = dynamic_cast<const PlimkoError*>(&error);
  return own != nullptr ? own->Message() : error.what();
}
