#include "runtime/RuntimeError.h"

namespace tarnelby {

RuntimeError::RuntimeError(Kind kind)
    : std::runtime_error(messageOf(kind))
    , kind_(kind)
{
}

const char* messageOf(RuntimeError::Kind kind) noexcept
{
    switch (kind) {
    case RuntimeError::Kind::Overflow:
        return "Overflow";
    case RuntimeError::Kind::InvalidProcedureCall:
        return "Invalid procedure call";
    }
    return "Runtime error";
}

} // namespace tarnelby
