#include "text/template_copy.h"

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/temp_dir.h"
#include "text/failure.h"

namespace velmora {
namespace {

using testing::Hex;
using testing::ReadBytes;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteBytes;

struct CopyCase {
    const char* name;
    std::string source;
    std::optional<std::string> target;  // before the copy
    std::string expected;
};

class Copies : public ::testing::TestWithParam<CopyCase> {};

TEST_P(Copies, AppendSourceAndLineEnd) {
    TempDir dir;
    WriteBytes(dir / "source", Hex(GetParam().source));
    if (GetParam().target) {
        WriteBytes(dir / "target", Hex(*GetParam().target));
    }
    RecordingMessages messages;
    WritrFile(dir / "source", dir / "target", messages);
    EXPECT_EQ(ReadBytes(dir / "target"), Hex(GetParam().expected));
    EXPECT_TRUE(messages.shown.empty());
}

const CopyCase kCopies[] = {
    {"Ascii", "61 62 63", std::nullopt, "61 62 63 0D 0A"},
    {"EndsWithLineBreak", "61 0D 0A", std::nullopt, "61 0D 0A 0D 0A"},
    {"Empty", "", std::nullopt, "0D 0A"},
    {"AfterExistingContent", "61", "78 79", "78 79 61 0D 0A"},
    {"SameTemplateAgain", "61 62", "61 62 0D 0A", "61 62 0D 0A 61 62 0D 0A"},
    {"Gbk", "D4 C2 C1 C1 0A", std::nullopt, "D4 C2 C1 C1 0A 0D 0A"},
    {"InnerLineBreaksKept", "61 0A 62 0D 63", std::nullopt, "61 0A 62 0D 63 0D 0A"},
    {"Gb18030FourByte", "94 39 FC 36", std::nullopt, "94 39 FC 36 0D 0A"},
};

INSTANTIATE_TEST_SUITE_P(Table, Copies, ::testing::ValuesIn(kCopies),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(WritrFile, UnreadableSourceIsShownAndTargetNotCreated) {
    TempDir dir;
    std::filesystem::create_directory(dir / "a-directory");
    for (const auto& source : {dir / "missing", dir / "a-directory"}) {
        RecordingMessages messages;
        WritrFile(source, dir / "target", messages);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].first, u"文件无法读入！");
        EXPECT_EQ(messages.shown[0].second, u"Velmora");
        EXPECT_FALSE(std::filesystem::exists(dir / "target"));
    }
}

TEST(WritrFile, UnwritableTargetRaisesFailureNamingThePath) {
    TempDir dir;
    WriteBytes(dir / "source", "ab");
    RecordingMessages messages;
    try {
        WritrFile(dir / "source", dir / "gone" / "target", messages);
        FAIL() << "no failure raised";
    } catch (const Failure& failure) {
        EXPECT_NE(failure.message().find(PathText(dir / "gone" / "target")), std::u16string::npos);
        EXPECT_NE(failure.message().find(u"No such file or directory"), std::u16string::npos);
    }
}

TEST(ReadAnsiFile, MissingFileKeepsText) {
    TempDir dir;
    std::u16string text = u"kept";
    EXPECT_FALSE(ReadAnsiFile(dir / "missing", text));
    EXPECT_EQ(text, u"kept");
    WriteBytes(dir / "empty", "");
    EXPECT_TRUE(ReadAnsiFile(dir / "empty", text));
    EXPECT_EQ(text, u"");
}

}  // namespace
}  // namespace velmora
