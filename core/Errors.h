#pragma once

// The failures a handler can raise. Each carries the message text the user
// sees in the failure box; nothing in the program catches them but the frame's
// failure report.

#include <stdexcept>
#include <string>

namespace qmel {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// "Cannot open file %s", with the name exactly as passed.
class EFOpenError : public Failure {
public:
    explicit EFOpenError(const std::string& fileName) : Failure("Cannot open file " + fileName) {}
};

// "Cannot create file %s", with the full name.
class EFCreateError : public Failure {
public:
    explicit EFCreateError(const std::string& fileName) : Failure("Cannot create file " + fileName) {}
};

class EWriteError : public Failure {
public:
    EWriteError() : Failure("Stream write error") {}
};

class EInvalidOperation : public Failure {
public:
    EInvalidOperation() : Failure("Text exceeds memo capacity") {}
};

// A failed change of directory; the message is chosen by the error code.
class EInOutError : public Failure {
public:
    explicit EInOutError(int errorCode) : Failure(inOutMessage(errorCode)), errorCode_(errorCode) {}
    int errorCode() const { return errorCode_; }
    static std::string inOutMessage(int errorCode);

private:
    int errorCode_;
};

}  // namespace qmel
