#pragma once
// The runtime-error family. Every error the program raises derives from
// RuntimeException, so the guarded-call routine at the event-handler boundary
// can report any of them with its own message.
#include <stdexcept>
#include <string>

namespace velmora {

class RuntimeException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A missing object was used (no application object, no folder on the way to a script).
class NilObjectException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// The registered application object is not of the expected class.
class IllegalCastException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// A script could not be started, failed, or died; the message names the script
// and carries what it wrote to its error output.
class ScriptError : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// A script that started and did not end with status 0: it exited with
// another status or was ended by a signal, from wherever it came. Whatever it
// was doing may or may not have been done (a booking can reach the bank and
// its answer time out).
class ScriptInDoubt : public ScriptError {
public:
    using ScriptError::ScriptError;
};

// A script that was ended because the user asked for it.
class ScriptEnded : public ScriptInDoubt {
public:
    using ScriptInDoubt::ScriptInDoubt;
};

}  // namespace velmora
