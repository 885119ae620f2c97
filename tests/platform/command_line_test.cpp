// The Windows command line the archiver is started with: each argument must come back whole
// from CommandLineToArgvW, whatever spaces, quotes and backslashes a path holds.
#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CommandLine, QuotesEachArgumentAsCommandLineToArgvWReadsIt) {
    const struct {
        std::wstring argument;
        std::wstring quoted;
    } rows[] = {
        {L"a", L"a"},
        {L"-scsUTF-8", L"-scsUTF-8"},
        {L"", L"\"\""},
        {L"C:\\Users\\小明\\我的歌词本.epub", L"C:\\Users\\小明\\我的歌词本.epub"},
        {L"C:\\Program Files\\Velmora\\7za.exe", L"\"C:\\Program Files\\Velmora\\7za.exe\""},
        {L"tab\there", L"\"tab\there\""},
        {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
        {L"a\\\"b", L"\"a\\\\\\\"b\""},
        {L"C:\\my folder\\", L"\"C:\\my folder\\\\\""},
        {L"C:\\my folder\\\\", L"\"C:\\my folder\\\\\\\\\""},
        {L"back\\\\slashes inside", L"\"back\\\\slashes inside\""},
        {L"\"", L"\"\\\"\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(QuotedArgument(row.argument), row.quoted);
    }
}

TEST(CommandLine, JoinsTheArgumentsOneSpaceApart) {
    EXPECT_EQ(CommandLine({L"7za.exe", L"a", L"-tzip", L"C:\\书 目\\b.epub", L"@list"}),
              L"7za.exe a -tzip \"C:\\书 目\\b.epub\" @list");
    EXPECT_EQ(CommandLine({L"x", L""}), L"x \"\"");
}

}  // namespace
}  // namespace velmora
