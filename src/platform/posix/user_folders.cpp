#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/child_process.h"
#include "platform/file_system.h"

namespace velmora {
namespace fs = std::filesystem;

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr ? user->pw_dir : "/";
}

fs::path StateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    // XDG: a relative path here is to be ignored.
    const fs::path home = state != nullptr && fs::path(state).is_absolute()
                              ? fs::path(state)
                              : HomeFolder() / ".local" / "state";
    return home / "velmora";
}

fs::path ShippedData(const char*, const char* file) {
    return file;
}

fs::path DocumentsFolder() {
    if (const auto program = FindProgram("xdg-user-dir")) {
        ChildProcess ask(*program, {"DOCUMENTS"}, ProcessOptions{{}, false, true});
        if (ask.startError() == 0) {
            const ExitStatus exit = ask.Wait();
            const fs::path named = exit.output.substr(0, exit.output.find('\n'));
            // It names the home folder itself when no documents folder is set.
            if (exit.succeeded() && named.is_absolute() && named != HomeFolder()) {
                return named;
            }
        }
    }
    return HomeFolder() / "Documents";
}

}  // namespace velmora
