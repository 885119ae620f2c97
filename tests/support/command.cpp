#include "support/command.h"

#include <stdexcept>

#include "import/zip_archive.h"
#include "platform/child_process.h"
#include "platform/file_system.h"
#include "support/files.h"

namespace velmora::testing {

CommandResult RunCommand(std::vector<std::string> arguments) {
    const auto program = FindProgram(arguments.front());
    ChildProcess process(program.value_or(arguments.front()),
                         std::vector(arguments.begin() + 1, arguments.end()),
                         ProcessOptions{{}, true, true});
    if (process.startError() != 0) {
        throw std::runtime_error("cannot run " + arguments.front());
    }
    const ExitStatus exit = process.Wait();
    return {exit.how == ExitStatus::How::Exited ? exit.code : -1, exit.output + exit.errorOutput};
}

std::map<std::string, std::string> ExtractBook(const std::filesystem::path& book) {
    return ZipEntries(ReadBytes(book), 1 << 30);
}

}  // namespace velmora::testing
