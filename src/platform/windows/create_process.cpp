#include "platform/windows/create_process.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/windows/error_number.h"
#include "platform/windows/wide_text.h"

namespace velmora::sys {
namespace {

std::mutex childrenGuard;
std::map<pid_t, HANDLE> children;

// Our children's job: its last handle closes when this program ends, and the system then
// kills everything in it.
HANDLE ChildrenJob() {
    static const HANDLE job = [] {
        const HANDLE made = ::CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (made != nullptr) {
            ::SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits,
                                      sizeof limits);
        }
        return made;
    }();
    return job;
}

// A handle the child inherits: one of our descriptors' (duplicated), or the null device.
class Inherited {
public:
    explicit Inherited(int fd) {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        if (fd >= 0) {
            ::DuplicateHandle(::GetCurrentProcess(), reinterpret_cast<HANDLE>(::_get_osfhandle(fd)),
                              ::GetCurrentProcess(), &handle_, 0, TRUE, DUPLICATE_SAME_ACCESS);
        } else {
            handle_ = ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING,
                                    0, nullptr);
        }
    }
    ~Inherited() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
    }
    Inherited(const Inherited&) = delete;
    Inherited& operator=(const Inherited&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// Only the three streams are inherited, whatever else this program holds open.
struct HandleList {
    explicit HandleList(std::vector<HANDLE> inheritedHandles)
        : handles(std::move(inheritedHandles)) {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage.resize(size);
        list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
        ::InitializeProcThreadAttributeList(list, 1, 0, &size);
        ::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles.data(),
                                    handles.size() * sizeof(HANDLE), nullptr, nullptr);
    }
    ~HandleList() { ::DeleteProcThreadAttributeList(list); }
    HandleList(const HandleList&) = delete;
    HandleList& operator=(const HandleList&) = delete;
    std::vector<HANDLE> handles;
    std::vector<char> storage;
    LPPROC_THREAD_ATTRIBUTE_LIST list = nullptr;
};

}  // namespace

int CreateChild(pid_t* pid, PathText path, const ChildSetup& setup, char* const argv[]) {
    std::vector<std::wstring> arguments;
    for (char* const* argument = argv; *argument != nullptr; ++argument) {
        arguments.push_back(Wide(*argument));
    }
    std::wstring line = CommandLine(arguments);
    const Inherited input(-1), output(setup.output), error(setup.error);
    const HandleList inherited({input.get(), output.get(), error.get()});
    STARTUPINFOEXW start{};
    start.StartupInfo.cb = sizeof start;
    start.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    start.StartupInfo.wShowWindow = SW_SHOWMINNOACTIVE;
    start.StartupInfo.hStdInput = input.get();
    start.StartupInfo.hStdOutput = output.get();
    start.StartupInfo.hStdError = error.get();
    start.lpAttributeList = inherited.list;
    PROCESS_INFORMATION started{};
    const DWORD flags = CREATE_NO_WINDOW | CREATE_SUSPENDED | EXTENDED_STARTUPINFO_PRESENT |
                        CREATE_UNICODE_ENVIRONMENT;
    if (!::CreateProcessW(path, line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                          setup.directory, &start.StartupInfo, &started)) {
        return LastErrno();
    }
    if (setup.diesWithUs && !::AssignProcessToJobObject(ChildrenJob(), started.hProcess)) {
        const int failure = LastErrno();
        ::TerminateProcess(started.hProcess, 1);
        ::CloseHandle(started.hThread);
        ::CloseHandle(started.hProcess);
        return failure;
    }
    ::ResumeThread(started.hThread);
    ::CloseHandle(started.hThread);
    *pid = static_cast<pid_t>(started.dwProcessId);
    const std::lock_guard lock(childrenGuard);
    children[*pid] = started.hProcess;
    return 0;
}

pid_t WaitChild(pid_t pid, int* status, int options) {
    HANDLE process = nullptr;
    {
        const std::lock_guard lock(childrenGuard);
        const auto child = children.find(pid);
        if (child == children.end()) {
            errno = ECHILD;
            return -1;
        }
        process = child->second;
    }
    if (::WaitForSingleObject(process, (options & WNOHANG) != 0 ? 0 : INFINITE) != WAIT_OBJECT_0) {
        return 0;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    *status = static_cast<int>(code);
    ::CloseHandle(process);
    const std::lock_guard lock(childrenGuard);
    children.erase(pid);
    return pid;
}

void EndChild(pid_t pid, unsigned exitCode) {
    const std::lock_guard lock(childrenGuard);
    if (const auto child = children.find(pid); child != children.end()) {
        ::TerminateProcess(child->second, exitCode);
    }
}

}  // namespace velmora::sys
