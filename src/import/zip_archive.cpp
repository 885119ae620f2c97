#include "import/zip_archive.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

#include "text/failure.h"

namespace velmora {

std::map<std::string, std::string> ZipEntries(std::string_view zip, std::size_t limit) {
    const std::unique_ptr<archive, decltype(&archive_read_free)> reader(archive_read_new(),
                                                                        archive_read_free);
    archive_read_support_format_zip(reader.get());
    if (archive_read_open_memory(reader.get(), zip.data(), zip.size()) != ARCHIVE_OK) {
        throw Failure(Problem::NotZip);
    }
    std::map<std::string, std::string> entries;
    std::size_t total = 0;
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        // Refused by the size it declares before anything is inflated; one that declares
        // none, or lies, is stopped at the limit.
        const std::size_t room = limit - total;
        const la_int64_t declared =
            archive_entry_size_is_set(entry) ? archive_entry_size(entry) : -1;
        if (declared > static_cast<la_int64_t>(room)) {
            throw Failure(Problem::UnpacksTooLarge);
        }
        const std::size_t most = declared >= 0 ? static_cast<std::size_t>(declared) : room;
        std::string bytes;
        char buffer[64 * 1024];
        for (la_ssize_t read = 0;
             (read = archive_read_data(reader.get(), buffer, sizeof buffer)) != 0;) {
            if (read < 0) {
                throw Failure(Problem::ZipBroken);
            }
            bytes.append(buffer, static_cast<std::size_t>(read));
            if (bytes.size() > most) {
                throw Failure(Problem::UnpacksTooLarge);
            }
        }
        total += bytes.size();
        const char* name = archive_entry_pathname(entry);
        entries[name != nullptr ? name : ""] = std::move(bytes);
    }
    if (status != ARCHIVE_EOF) {
        throw Failure(Problem::ZipBroken);
    }
    return entries;
}

}  // namespace velmora
