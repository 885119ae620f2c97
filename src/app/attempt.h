#pragma once
// What a command raised, kept as a value: the services catch at their boundary and hand it
// on, the window words it. Nothing a command raises ends the program.

#include <functional>
#include <optional>
#include <string>

#include "text/failure.h"

struct CommandError {
    // The core's own report; without one, what() of another exception (empty when the
    // exception was not a std::exception).
    std::optional<velmora::Failure> failure;
    std::string what;
};

// Runs the command: the error it raised, or nothing.
std::optional<CommandError> Attempt(const std::function<void()>& command);
