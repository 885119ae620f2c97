#pragma once
// The start, wait and end of a child process on Windows, shared by the real system calls and
// the tests' version: the counterpart of fork and exec.

#include "platform/system_calls.h"

namespace velmora::sys {

// CreateProcessW with the arguments quoted for CommandLineToArgvW, no window of its own,
// the set-up's streams and folder, and, unless asked otherwise, in a job object that ends
// it when this program ends, however it ends. 0, or the errno of what failed.
int CreateChild(pid_t* pid, PathText path, const ChildSetup& setup, char* const argv[]);
// As waitpid: the pid once it has ended (its exit code in *status), 0 while it runs under
// WNOHANG, -1 and errno for a process this program did not start.
pid_t WaitChild(pid_t pid, int* status, int options);
// Ends the child at once, as SIGKILL does, with this for its exit code.
void EndChild(pid_t pid, unsigned exitCode);

}  // namespace velmora::sys
