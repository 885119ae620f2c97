#include "platform/folder_lock.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace velmora {

// A folder's handle cannot be held exclusively without keeping everyone else from listing
// it, so the lock is a hidden file in it that no one else may open and that goes with the
// last handle, however this program ends.
FolderLock::FolderLock(const std::filesystem::path& folder) {
    const HANDLE handle =
        ::CreateFileW((folder / L".lock").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), O_RDWR);
    if (fd_ < 0) {
        ::CloseHandle(handle);
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) {
        ::_close(fd_);
    }
}

}  // namespace velmora
