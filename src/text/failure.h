#pragma once
// The one error type of the core: an operation that cannot go on raises a Failure whose
// message, in the interface's Chinese, names what failed, the path and the system's reason.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora {

class Failure : public std::runtime_error {
public:
    explicit Failure(std::u16string message);

    // "<action>：<path>（<strerror of error>）"
    static Failure FromErrno(std::u16string_view action, const std::filesystem::path& path,
                             int error);

    const std::u16string& message() const { return message_; }

private:
    std::u16string message_;
};

std::u16string PathText(const std::filesystem::path& path);

}  // namespace velmora
