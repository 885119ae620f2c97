#pragma once
// The start of a child process, shared by the real system calls and the tests' version.

#include <sys/types.h>

#include "platform/system_calls.h"

namespace velmora::sys {

// fork and exec: the child gets SIGKILL when the thread that started it ends, unless asked
// otherwise (a program killed with -9 takes its archiver with it), default signal handling, and the
// set-up's streams and folder. A failure in the child before its exec is the result, as for the
// exec itself.
int ForkExec(pid_t* pid, const char* path, const ChildSetup& setup, char* const argv[],
             char* const envp[]);

}  // namespace velmora::sys
