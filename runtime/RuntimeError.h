#pragma once

#include <stdexcept>
#include <string>

namespace tarnelby {

// The runtime's own errors. Handlers let them propagate; the window's error
// guard catches them, stops the handler there and names the error to the user.
class RuntimeError : public std::runtime_error {
public:
    enum class Kind { Overflow, InvalidProcedureCall };

    explicit RuntimeError(Kind kind);

    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// The message of each kind: Overflow -> "Overflow".
const char* messageOf(RuntimeError::Kind kind) noexcept;

} // namespace tarnelby
