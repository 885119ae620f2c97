#include "epub/zip_entry_name.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/faults.h"

namespace velmora {
namespace {

using namespace testing;

// The staged name, in the local header as `first` and in the central directory as `second`.
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
        const fs::path zip = in.string() + ".zip";
        EXPECT_EQ(
            RunCommand({"7za", "a", "-tzip", "-mx0", zip.string(), (in / "*").string()}).exitCode,
            0);
        return ReadBytes(zip);
    };
    const std::string packed = pack({"!imetype", "content.opf", "text.html"});
    const fs::path book = dir / "book.zip";
    const std::string unexpected = Described(Problem::ArchiveUnexpected, book);
    const auto cannot = [&](int error) { return Described(Problem::CannotWrite, book, error); };
    // A byte changed: the name's length in the local header or in the central directory
    // record, or the end record's.
    const auto patched = [&](std::size_t at, char byte) {
        return std::string(packed).replace(at, 1, 1, byte);
    };
    // An archive, the failure renaming it gives ("" for none), and the faults meanwhile.
    const std::tuple<const char*, std::string, std::string, std::vector<Fault>> table[] = {
        {"Packed", packed, "", {}},
        {"FirstIsAnother", pack({"content.opf", "mimetyp_"}), unexpected, {}},
        {"OtherInTheDirectory", Renamed(packed, "!imetype", "!imetypf"), unexpected, {}},
        {"OtherInTheHeader", Renamed(packed, "!imetypf", "!imetype"), unexpected, {}},
        {"LongerInTheHeader", patched(26, '\t'), unexpected, {}},
        {"LongerInTheDirectory", patched(packed.rfind("!imetype") - 46 + 28, '\t'), unexpected, {}},

        {"CutShort", packed.substr(0, packed.size() - 1), unexpected, {}},
        {"EndRecordOnly", packed.substr(packed.size() - 22), unexpected, {}},
        {"NoEndRecord", patched(packed.size() - 19, '\x07'), unexpected, {}},
        {"Comment", patched(packed.size() - 2, '\x01'), unexpected, {}},

        {"Empty", "", unexpected, {}},
        {"CannotOpen", packed, cannot(EACCES), {{Call::Open, "book.zip", EACCES}}},
        {"CannotWrite", packed, cannot(EIO), {{Call::Write, "book.zip", EIO}}},
    };
    for (const auto& [name, archive, failure, faults] : table) {
        SCOPED_TRACE(name);
        WriteBytes(book, archive);
        {
            InjectedFaults injected(faults);
            EXPECT_EQ(FailureOf([&] { RenameFirstEntry(book, "!imetype", "mimetype"); }), failure);
        }
        if (failure.empty()) {
            EXPECT_EQ(ReadBytes(book), Renamed(archive));
            EXPECT_EQ(ExtractBook(book).at("mimetype"), "bytes of 8");
        } else if (faults.empty()) {
            EXPECT_EQ(ReadBytes(book), archive);
        }
    }
}

}  // namespace
}  // namespace velmora
