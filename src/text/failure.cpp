#include "text/failure.h"

#include "text/code_page.h"

namespace velmora {
namespace {

// For logs and debuggers: the window never shows this.
std::string Described(Problem problem, const std::filesystem::path& path, int number,
                      const std::string& detail) {
    return "problem " + std::to_string(static_cast<int>(problem)) + ": " + path.string() + " (" +
           std::to_string(number) + ")" + (detail.empty() ? "" : " " + detail);
}

}  // namespace

// With the system's own separators: a path made of "a/b" parts is told as a\b on Windows, as
// the user's other programs tell it.
Failure::Failure(Problem problem, std::filesystem::path path, int number, std::string detail)
    : std::runtime_error(Described(problem, path.make_preferred(), number, detail)),
      problem_(problem),
      path_(std::move(path)),
      number_(number),
      detail_(std::move(detail)) {}

// As the failures tell it: with the system's own separators.
std::u16string PathText(const std::filesystem::path& path) {
    return codepage::FromUtf8(std::filesystem::path(path).make_preferred().string());
}

}  // namespace velmora
