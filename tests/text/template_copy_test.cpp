#include "text/template_copy.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/faults.h"
#include "support/files.h"
#include "text/failure.h"
#include "text/text_files.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

TEST(WritrFile, AppendsTheSourceAndALineEnd) {
    const struct {
        std::string source, target, expected;  // hex; target "-" for none
    } table[] = {
        {"61 62 63", "-", "61 62 63 0D 0A"},
        {"61 0D 0A", "-", "61 0D 0A 0D 0A"},
        {"", "-", "0D 0A"},
        {"61", "61 0D 0A", "61 0D 0A 61 0D 0A"},
        {"D4 C2 0A 94 39 FC 36", "-", "D4 C2 0A 94 39 FC 36 0D 0A"},
    };
    TempDir dir;
    for (const auto& row : table) {
        WriteBytes(dir / "source", Hex(row.source));
        fs::remove(dir / "target");
        if (row.target != "-") {
            WriteBytes(dir / "target", Hex(row.target));
        }
        // Read one byte a call: the copy is whole all the same.
        InjectedFaults faults({Trickles(Call::Read, "source")});
        WritrFile(dir / "source", dir / "target");
        EXPECT_EQ(ReadBytes(dir / "target"), Hex(row.expected)) << row.source;
    }
}

// A template that cannot be opened or read to its end is named, and nothing is written.
TEST(WritrFile, UnreadableSourceIsNamedAndTouchesNothing) {
    TempDir dir;
    WriteBytes(dir / "source", "abc");
    const std::u16string unreadable = u"文件无法读入！\n" + PathText(dir / "source");
    for (const Fault& fault :
         {Fault{Call::Open, "source", EACCES}, Fault{Call::Read, "source", EIO, 2}}) {
        InjectedFaults faults({fault});
        EXPECT_EQ(FailureOf([&] { WritrFile(dir / "source", dir / "target"); }), unreadable);
        EXPECT_THROW(TemplateBytes(dir / "source"), Failure);
        EXPECT_FALSE(fs::exists(dir / "target"));
    }
    EXPECT_EQ(FailureOf([&] { WritrFile(dir.path(), dir / "target"); }),
              u"文件无法读入！\n" + PathText(dir.path()));
}

// A failed write names the file and leaves it as it was: an append is taken back, a
// replacement leaves the old file and no temporary one.
TEST(TextFiles, FailedWritesLeaveTheFileAsItWas) {
    TempDir dir;
    const fs::path file = dir / "f";
    const struct {
        const char* name;
        Fault fault;
        std::function<void()> write;
        std::u16string reason;
    } table[] = {
        {"AppendCut",
         {Call::Write, "f", EFBIG, 3},
         [&] { AppendAnsiText(file, u"月光月光"); },
         u"File too large"},
        {"AppendLateError",
         {Call::Close, "f", EIO},
         [&] { AppendAnsiText(file, u"x"); },
         u"Input/output error"},
        {"ReplaceCut",
         {Call::Write, "f", ENOSPC, 3},
         [&] { SaveUtf8File(file, u"月光"); },
         u"No space left on device"},
        {"ReplaceNotRenamed",
         {Call::Rename, "f", EACCES},
         [&] { SaveBytes(file, "new"); },
         u"Permission denied"},
    };
    for (const auto& row : table) {
        WriteBytes(file, "old");
        std::u16string message;
        {
            InjectedFaults faults({row.fault});
            message = FailureOf(row.write);
        }
        EXPECT_EQ(message, u"无法写入文件：" + PathText(file) + u"（" + row.reason + u"）")
            << row.name;
        EXPECT_EQ(ReadBytes(file), "old") << row.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << row.name;
    }
}

}  // namespace
}  // namespace velmora
