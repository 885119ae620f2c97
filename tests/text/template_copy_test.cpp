#include "text/template_copy.h"

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/temp_dir.h"
#include "text/failure.h"

namespace velmora {
namespace {

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
        std::filesystem::remove(dir / "target");
        if (row.target != "-") {
            WriteBytes(dir / "target", Hex(row.target));
        }
        RecordingMessages messages;
        WritrFile(dir / "source", dir / "target", messages);
        EXPECT_EQ(ReadBytes(dir / "target"), Hex(row.expected)) << row.source;
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(WritrFile, UnreadableSourceIsShownAndUnwritableTargetRaises) {
    TempDir dir;
    RecordingMessages messages;
    WritrFile(dir / "missing", dir / "target", messages);
    WritrFile(dir.path(), dir / "target", messages);
    EXPECT_EQ(messages.shown, (decltype(messages.shown)(2, {u"文件无法读入！", u"Velmora"})));
    EXPECT_FALSE(std::filesystem::exists(dir / "target"));

    WriteBytes(dir / "source", "ab");
    try {
        WritrFile(dir / "source", dir / "gone" / "target", messages);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(), u"无法打开文件：" + PathText(dir / "gone" / "target") +
                                         u"（No such file or directory）");
    }
}

}  // namespace
}  // namespace velmora
