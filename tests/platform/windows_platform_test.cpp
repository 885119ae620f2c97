// The Windows side of the platform layer, run under Wine: Chinese names through every call,
// the archiver's child ended from outside, its arguments whole, and the code pages the text
// module reads.
#include <gtest/gtest.h>

#include "platform/child_process.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "support/faults.h"
#include "support/files.h"
#include "text/code_page.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::Call;
using testing::Fault;
using testing::InjectedFaults;
using testing::TempDir;

TEST(WindowsFiles, ChineseNamesGoThroughEveryCall) {
    const TempDir temp;
    const fs::path folder = temp / L"我的 歌词本";
    ASSERT_EQ(MakeDirectories(folder / L"子文件夹"), 0);
    const fs::path song = folder / L"月亮代表我的心.txt";
    ASSERT_EQ(WriteNewFile(song, "你问我爱你有多深"), 0);
    EXPECT_EQ(WriteNewFile(song, "again"), EEXIST);
    EXPECT_EQ(ReadWholeFile(song, 100).bytes, "你问我爱你有多深");
    ASSERT_EQ(AppendToFile(song, "\r\n"), 0);
    EXPECT_EQ(ReadWholeFile(song, 100).bytes, "你问我爱你有多深\r\n");
    const auto names = EntryNames(folder);
    EXPECT_EQ(names.size(), 2u);
    EXPECT_NE(std::find(names.begin(), names.end(), "月亮代表我的心.txt"), names.end());
    const FolderListing below = FilesBelow(folder.parent_path());
    ASSERT_EQ(below.files.size(), 1u);
    EXPECT_EQ(below.files[0], song);
    EXPECT_TRUE(IsDirectory(folder / L"子文件夹\\"));
    EXPECT_TRUE(SameFile(song, folder / L"." / song.filename()));
    EXPECT_EQ(RemoveFile(song), 0);
    EXPECT_EQ(RemoveFile(song), 0);
    EXPECT_FALSE(Exists(song));
}

TEST(WindowsFiles, MissingAndExistingAreToldApart) {
    const TempDir temp;
    EXPECT_EQ(File(temp / L"无.txt", File::Mode::OpenExisting).error(), ENOENT);
    EXPECT_EQ(File(temp.path(), File::Mode::OpenExisting).error(), EISDIR);
    EXPECT_EQ(MakeDirectory(temp / L"无" / L"无"), ENOENT);
    EXPECT_EQ(RenameFile(temp / L"无.txt", temp / L"有.txt"), ENOENT);
    EXPECT_TRUE(IsWritableFolder(temp.path()));
    EXPECT_FALSE(IsWritableFolder(temp / L"无"));
}

// A 7za whose list of files ends with a pipe no one writes to: it waits for ever.
std::vector<std::string> HeldArchiver(const TempDir& temp) {
    const fs::path list = temp / L"列表.txt";
    testing::WriteBytes(list, "");
    std::string listed = "@";
    listed += list.string();
    return {"a", "-tzip", (temp / L"书.zip").string(), listed};
}

TEST(WindowsChildren, TheArchiverKilledIsSeenEnded) {
    const TempDir temp;
    const auto archiver = FindProgram("7za");
    ASSERT_TRUE(archiver);
    InjectedFaults faults({Fault{Call::Spawn, "7za", 0}, Fault{Call::Wait, "7za", 0, 0, 9}});
    ChildProcess child(*archiver, HeldArchiver(temp));
    ASSERT_EQ(child.startError(), 0);
    const ExitStatus exit = child.Wait();
    EXPECT_EQ(exit.how, ExitStatus::How::Exited);
    EXPECT_EQ(exit.code, 9);
    ASSERT_EQ(faults.reaped.size(), 1u);
}

TEST(WindowsChildren, ArgumentsArriveWhole) {
    const TempDir temp;
    const auto archiver = FindProgram("7za");
    ASSERT_TRUE(archiver);
    const fs::path folder = temp / L"有 空格 的\"文件夹\"";
    ASSERT_EQ(MakeDirectories(temp / L"有 空格 的文件夹"), 0);
    ASSERT_EQ(WriteNewFile(temp / L"有 空格 的文件夹" / L"歌.txt", "la"), 0);
    ChildProcess child(*archiver,
                       {"a", "-tzip", "-scsUTF-8", (temp / L"书 名.zip").string(),
                        (temp / L"有 空格 的文件夹" / L"歌.txt").string()},
                       ProcessOptions{{}, true, true});
    ASSERT_EQ(child.startError(), 0);
    EXPECT_TRUE(child.Wait().succeeded());
    EXPECT_TRUE(Exists(temp / L"书 名.zip"));
}

TEST(WindowsCodePages, ChineseCharsetsDecodeAndEncode) {
    const struct {
        const char* charset;
        std::string bytes;
        std::u16string text;
    } rows[] = {
        {"GB18030", "\xc4\xe3\xba\xc3", u"你好"},
        {"GBK", "\xb8\xe8\xb4\xca", u"歌词"},
        {"CP950", "\xba\x71\xb5\xfc", u"歌詞"},
        {"CP932", "\x89\xcc", u"歌"},
        {"CP949", "\xb0\xa1", u"가"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.charset);
        EXPECT_EQ(codepage::DecodeCharset(row.bytes, row.charset), row.text);
    }
    EXPECT_EQ(codepage::Encode(u"你好", codepage::kAnsi), "\xc4\xe3\xba\xc3");
    EXPECT_EQ(codepage::Decode("\xc4\xe3\xba\xc3", codepage::kAnsi), u"你好");
    EXPECT_EQ(codepage::Encode(u"a\u00e9", 936), "a\xa8\xa6");
}

}  // namespace
}  // namespace velmora
