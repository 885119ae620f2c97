#include "app/attempt.h"

std::optional<CommandError> Attempt(const std::function<void()>& command) {
    try {
        command();
    } catch (const velmora::Failure& failure) {
        return CommandError{failure, {}};
    } catch (const std::exception& error) {
        return CommandError{std::nullopt, error.what()};
    } catch (...) {
        return CommandError{};
    }
    return std::nullopt;
}
