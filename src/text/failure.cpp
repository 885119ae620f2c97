#include "text/failure.h"

#include <cstring>

#include "text/code_page.h"

namespace velmora {

Failure::Failure(std::u16string message)
    : std::runtime_error(codepage::ToUtf8(message)), message_(std::move(message)) {}

Failure Failure::FromErrno(std::u16string_view action, const std::filesystem::path& path,
                           int error) {
    std::u16string message(action);
    message += u"：";
    message += PathText(path);
    message += u"（";
    message += codepage::FromUtf8(std::strerror(error));
    message += u"）";
    return Failure(std::move(message));
}

std::u16string PathText(const std::filesystem::path& path) {
    return codepage::FromUtf8(path.native());
}

}  // namespace velmora
