// Exception types of the framework. Every failure the program reports travels as one of these and ends,
// if nothing catches it earlier, in the application's default exception display.
#pragma once

#include <stdexcept>
#include <string>

namespace rtl {

// Base of every exception the program raises; the message is UTF-8.
class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    const std::string Message() const { return what(); }
};

// A text that is not a number in the expected syntax.
class EConvertError : public Exception {
  public:
    using Exception::Exception;
};

// The silent exception: the default display drops it without a message.
class EAbort : public Exception {
  public:
    EAbort() : Exception("Operation aborted") {}
};

} // namespace rtl
