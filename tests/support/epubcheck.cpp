#include "support/epubcheck.h"

#include <sstream>

#include "support/command.h"

namespace velmora::testing {
namespace {

struct AllowedError {
    const char* code;
    const char* text;
};

const AllowedError kAllowedErrors[] = {
    {"ERROR(RSC-005)", "character content of element \"dc:identifier\" invalid"},
    {"ERROR(RSC-005)", "element \"dc:x-metadata\" not allowed anywhere"},
    {"ERROR(OPF-054)", "is not valid as per http://www.w3.org/TR/NOTE-datetime"},
    {"ERROR(RSC-005)", "element \"tour\" not allowed here"},
    {"ERROR(RSC-005)", "element \"tour\" missing required attribute \"title\""},
    {"ERROR(RSC-005)", "element \"tour\" incomplete; missing required element \"site\""},
};

bool Allowed(const std::string& line) {
    for (const AllowedError& error : kAllowedErrors) {
        if (line.rfind(error.code, 0) == 0 && line.find(error.text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

::testing::AssertionResult PassesEpubcheck(const std::filesystem::path& book) {
    const CommandResult check = RunCommand({"java", "-jar", "/usr/bin/epubcheck", book.string()});
    if (check.output.find("Messages: 0 fatals / 6 errors") == std::string::npos) {
        return ::testing::AssertionFailure() << "epubcheck:\n" << check.output;
    }
    std::istringstream lines(check.output);
    for (std::string line; std::getline(lines, line);) {
        if ((line.rfind("ERROR", 0) == 0 || line.rfind("FATAL", 0) == 0) && !Allowed(line)) {
            return ::testing::AssertionFailure() << "not an allowed message: " << line;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace velmora::testing
