#include "epub/zip_entry_name.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/faults.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// The staged name at the places it is written, the local header first, then the central
// directory, as `first` and `second`.
std::string Renamed(std::string bytes, const char* first = "mimetype",
                    const char* second = "mimetype") {
    const std::size_t local = bytes.find("!imetype");
    bytes.replace(bytes.find("!imetype", local + 1), 8, second);
    return bytes.replace(local, 8, first);
}

// Archives as 7za writes them, and what renaming their first entry makes of them.
TEST(RenameFirstEntry, RenamesInPlaceOrChangesNothing) {
    const TempDir dir;
    const auto pack = [&](const std::vector<std::string>& names) {
        const fs::path in = dir / ("in" + std::to_string(names.size()));
        fs::create_directory(in);
        for (const std::string& name : names) {
            WriteBytes(in / name, "bytes of " + std::to_string(name.size()));
        }
        const fs::path archive = in.string() + ".zip";
        EXPECT_EQ(RunCommand({"7za", "a", "-tzip", "-mx0", archive, (in / "*").string()}).exitCode,
                  0);
        return ReadBytes(archive);
    };
    const std::string packed = pack({"!imetype", "content.opf", "text.html"});
    const std::string unexpected = Described(Problem::ArchiveUnexpected, dir / "book.zip");
    // The name's length, in the local header and in the central directory record.
    const auto longer = [&](std::size_t lengthAt) {
        return std::string(packed).replace(lengthAt, 1, 1, '\x09');
    };
    const struct {
        const char* name;
        std::string archive;
        std::string failure;
        std::vector<Fault> faults = {};
    } table[] = {
        {"Packed", packed, ""},
        {"FirstIsAnother", pack({"content.opf", "mimetyp_"}), unexpected},
        {"OtherInTheDirectory", Renamed(packed, "!imetype", "!imetypf"), unexpected},
        {"OtherInTheHeader", Renamed(packed, "!imetypf", "!imetype"), unexpected},
        {"LongerInTheHeader", longer(26), unexpected},
        {"LongerInTheDirectory", longer(packed.rfind("!imetype") - 46 + 28), unexpected},

        {"CutShort", packed.substr(0, packed.size() - 1), unexpected},
        {"EndRecordOnly", packed.substr(packed.size() - 22), unexpected},
        {"NoEndRecord", std::string(packed).replace(packed.size() - 19, 1, 1, '\x07'), unexpected},
        {"Comment", std::string(packed).replace(packed.size() - 2, 1, 1, '\x01'), unexpected},

        {"Empty", "", unexpected},
        {"CannotOpen",
         packed,
         Described(Problem::CannotWrite, dir / "book.zip", EACCES),
         {{Call::Open, "book.zip", EACCES}}},
        {"CannotWrite",
         packed,
         Described(Problem::CannotWrite, dir / "book.zip", EIO),
         {{Call::Write, "book.zip", EIO}}},
    };
    for (const auto& row : table) {
        WriteBytes(dir / "book.zip", row.archive);
        {
            InjectedFaults faults(row.faults);
            EXPECT_EQ(
                FailureOf([&] { RenameFirstEntry(dir / "book.zip", "!imetype", "mimetype"); }),
                row.failure)
                << row.name;
        }
        if (row.failure.empty()) {
            EXPECT_EQ(ReadBytes(dir / "book.zip"), Renamed(row.archive)) << row.name;
            EXPECT_EQ(RunCommand({"7za", "t", (dir / "book.zip").string()}).exitCode, 0);
            EXPECT_EQ(ExtractBook(dir / "book.zip").at("mimetype"), "bytes of 8");

        } else if (row.faults.empty()) {
            EXPECT_EQ(ReadBytes(dir / "book.zip"), row.archive) << row.name;
        }
    }
}

}  // namespace
}  // namespace velmora
