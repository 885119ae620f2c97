#pragma once
// Windows' error codes as the errno values the rest of the program reads, so that a full
// disk or a missing folder is worded alike on both systems.

namespace velmora {

int ErrnoOf(unsigned long windowsError);
// The calling thread's last Windows error as an errno, also left in errno.
int LastErrno();

}  // namespace velmora
