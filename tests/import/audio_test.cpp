// Songs from audio files: every kind of file and tag written here by TagLib over a silent
// skeleton (data/audio/make_audio.py), lyric files beside them, and hostile files.

#include <sys/stat.h>
#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tpropertymap.h>
#include <taglib/unsynchronizedlyricsframe.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "import/audio_file.h"
#include "import/importer.h"
#include "platform/path_text.h"
#include "support/fakes.h"
#include "text/code_page.h"
#include "text/limits.h"

namespace velmora {
namespace {

using namespace testing;
using TagLib::String;
using Fields = std::vector<std::pair<std::string, std::u16string>>;

String Text(std::u16string_view text, String::Type encoding = String::UTF8) {
    if (encoding != String::Latin1) {
        return String(codepage::ToUtf8(text), String::UTF8);
    }
    // A Latin-1 frame gets Latin-1's own bytes when they hold the text, else the GBK bytes
    // Chinese players put there.
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; })) {
        return String(std::string(text.begin(), text.end()), String::Latin1);
    }
    return String(codepage::Encode(text, codepage::kGb18030).value(), String::Latin1);
}

// SYLT lines are written last first, a second apart: read back in time order.
TagLib::ID3v2::Frame* Id3Frame(const std::string& id, std::u16string_view value,
                               String::Type encoding) {
    if (id == "USLT") {
        auto* frame = new TagLib::ID3v2::UnsynchronizedLyricsFrame(encoding);
        frame->setText(Text(value, encoding));
        return frame;
    }
    if (id == "SYLT") {
        auto* frame = new TagLib::ID3v2::SynchronizedLyricsFrame(encoding);
        TagLib::ID3v2::SynchronizedLyricsFrame::SynchedTextList lines;
        std::uint32_t time = 9000;
        for (std::size_t start = 0; start < value.size(); time -= 1000) {
            const std::size_t end = std::min(value.find(u'\n', start), value.size());
            lines.append({time, Text(value.substr(start, end - start), encoding)});
            start = end + 1;
        }
        frame->setSynchedText(lines);
        return frame;
    }
    auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id.c_str(), encoding);
    frame->setText(Text(value, encoding));
    return frame;
}

// Tags the file as a player would: ID3v2 frames (in `encoding`, as ID3v2.`version`), else
// TagLib's properties, each kind's own keys (LYRICS is an MP4's ©lyr).
void Tag(const fs::path& file, const Fields& fields, String::Type encoding, int version) {
    if (file.extension() != ".mp3") {
        TagLib::FileRef tagged(file.c_str());
        TagLib::PropertyMap properties;
        for (const auto& [key, value] : fields) {
            properties[key].append(Text(value));
        }
        tagged.file()->setProperties(properties);
        ASSERT_TRUE(tagged.save()) << file;
        return;
    }
    TagLib::MPEG::File mp3(file.c_str());
    for (const auto& [key, value] : fields) {
        mp3.ID3v2Tag(true)->addFrame(Id3Frame(key, value, encoding));
    }
    ASSERT_TRUE(mp3.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers,
                         version == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4));
}

// A silent file of the kind its name ends in, tagged.
void Audio(const fs::path& file, const Fields& fields = {}, String::Type encoding = String::UTF8,
           int version = 4) {
    fs::create_directories(file.parent_path());
    fs::copy_file(fs::path(VELMORA_TEST_DATA) / "audio" / ("silent" + file.extension().string()),
                  file);
    if (!fields.empty()) {
        Tag(file, fields, encoding, version);
    }
}

class AudioImportTest : public RunTest {
protected:
    void SetUp() override { run.ReadyToMake(); }
    ImportReport ImportAll(const std::vector<fs::path>& given) {
        struct : ImportProgress {
            bool Going(std::size_t, std::size_t) override { return true; }
        } going;
        return Import(run, ImportFiles(given), going);
    }
    const fs::path dir = app / "music";
};

// One row for each kind of file and tag: its file, its tags, its song, its ID3v2 encoding and
// version.
TEST_F(AudioImportTest, EachKindBringsItsLyricNameAndArtist) {
    struct Row {
        std::string file;
        Fields tags;
        Song song;
        String::Type encoding = String::UTF8;
        int version = 4;
    };
    const Row table[] = {
        {"01.mp3",
         {{"TIT2", u"晴天"}, {"TPE1", u"周杰伦"}, {"USLT", u"故事的\n小黄花"}},
         {u"晴天", u"故事的\r\n小黄花", u"周杰伦"}},
        {"02.mp3",
         {{"TIT2", u"夜曲"}, {"USLT", u"一群嗜血的蚂蚁"}},
         {u"夜曲", u"一群嗜血的蚂蚁"},
         String::UTF16,
         3},
        {"03.mp3",
         {{"TIT2", u"稻香"}, {"TPE1", u"周杰伦"}, {"USLT", u"对这个世界"}},
         {u"稻香", u"对这个世界", u"周杰伦"},
         String::Latin1,
         3},
        {"04.mp3", {{"SYLT", u"甲\n乙\n丙"}}, {u"04", u"丙\r\n乙\r\n甲"}, String::UTF16, 3},
        {"05 朴树 - 平凡之路.mp3",
         {{"USLT", u"[ar:别人][00:02]二\n一"}},
         {u"平凡之路", u"二\r\n一", u"别人"},
         String::Latin1},
        {"06.flac",
         {{"TITLE", u"月光\n"}, {"ARTIST", u"李白"}, {"LYRICS", u"床前\n明月光"}},
         {u"月光", u"床前\r\n明月光", u"李白"}},
        {"07.flac", {{"UNSYNCEDLYRICS", u"疑是地上霜"}}, {u"07", u"疑是地上霜"}},
        {"08.ogg", {{"TITLE", u"静夜思"}, {"LYRICS", u"[00:01.00]举头"}}, {u"静夜思", u"举头"}},
        {"09.opus", {{"ARTIST", u"王菲"}, {"UNSYNCEDLYRICS", u"人间"}}, {u"09", u"人间", u"王菲"}},
        {"10.m4a",
         {{"TITLE", u"红豆"}, {"ARTIST", u"王菲"}, {"LYRICS", u"还没好好的"}},
         {u"红豆", u"还没好好的", u"王菲"}},
        {"11.ape", {{"TITLE", u"传奇"}, {"LYRICS", u"只因为"}}, {u"传奇", u"只因为"}},
        {"12.wv", {{"ARTIST", u"李健"}, {"LYRICS", u"想你时"}}, {u"12", u"想你时", u"李健"}},
        // Latin-1 as it is: accented letters among plain ones.
        {"13.mp3",
         {{"TIT2", u"Déjà vu"}, {"TPE1", u"Françoise Hardy"}, {"USLT", u"Über den\nWolken Ç"}},
         {u"Déjà vu", u"Über den\r\nWolken Ç", u"Françoise Hardy"},
         String::Latin1,
         3},
        // GBK's bytes that Latin-1 would read as signs beside letters.
        {"14.mp3", {{"TIT2", u"學時"}, {"USLT", u"歡"}}, {u"學時", u"歡"}, String::Latin1, 3},
    };
    std::vector<Song> expected;
    for (const Row& row : table) {
        Audio(dir / PathFromText(row.file), row.tags, row.encoding, row.version);
        expected.push_back(row.song);
    }
    const ImportReport report = ImportAll({dir});
    EXPECT_EQ(SongsOf(run.Songs()), expected);
    EXPECT_TRUE(report.skipped.empty()) << report.skipped.at(0).what();
}

// A lyric file beside an audio file of its name is one song with it; an audio file with no
// lyric anywhere is skipped.
TEST_F(AudioImportTest, LyricFilesBesideAudioFilesMakeOneSong) {
    Audio(dir / "a.mp3", {{"TIT2", u"甲"}, {"TPE1", u"乙"}, {"USLT", u"标签里的"}});
    WriteBytes(dir / "a.lrc", "[00:01]旁边的");
    Audio(dir / "b.flac", {{"TITLE", u"丙"}});
    WriteBytes(dir / "b.txt", "文本");
    Audio(dir / "c.mp3");
    WriteBytes(dir / "c.lrc", "[ti:名]\n[ar:歌手]\n[00:01]词");
    Audio(dir / "d.m4a", {{"LYRICS", u"只在标签里"}});
    WriteBytes(dir / "d.txt", "");
    Audio(dir / "e.ogg", {{"TITLE", u"没词"}});
    WriteBytes(dir / "f.txt", "不是一对");
    Audio(dir / "f.opus", {{"LYRICS", u"也在"}});
    WriteBytes(dir / "f.lrc", "[00:01]一对");
    Audio(dir / "g.mp3");
    WriteBytes(dir / "g.txt", "");
    Audio(dir / "h.mp3", {{"USLT", u"标签的词"}});
    WriteBytes(dir / "h.lrc", "[ti:只有标签]");
    // "歌名 - 歌手" over a lyric that names no song: by the name the song goes by.
    Audio(dir / "i.mp3", {{"TIT2", u"标题"}});
    WriteBytes(dir / "i.lrc", "[00:01]标题 - 某人\n[00:02]词");
    Audio(dir / "k.mp3", {{"TIT2", u"标签名"}, {"USLT", u"[00:01]标签名 - 某人\n[00:02]词"}});
    Audio(dir / "m.flac", {{"TITLE", u"名三"}, {"LYRICS", u"某人 - 名三\n词"}});
    WriteBytes(dir / u8"09 独自.lrc", "[00:01]独自 - 某人\n[00:02]词");
    // Beside an audio file that cannot be read: the lyric by its own name, the audio file
    // named with its reason.
    WriteBytes(dir / "n.m4a", std::string(4096, '\x55'));
    WriteBytes(dir / "n.txt", "坏的旁边");
#ifndef _WIN32  // a FIFO: Windows has none in a folder
    ASSERT_EQ(::mkfifo((dir / "o.m4a").c_str(), 0600), 0);
    WriteBytes(dir / "o.txt", "管道旁边");
#endif
    const fs::path given = app / "given";
    Audio(given / "x.wv", {{"ARTIST", u"给的"}});
    WriteBytes(given / "x.wv", ReadBytes(given / "x.wv") + "TAG" + std::string(125, '\0'));
    WriteBytes(given / "x.txt", "一起给的");
    // Given one by one: a pair comes in where its first file was given, with the first audio
    // file of its name; a later one comes in alone.
    Audio(given / "p.mp3", {{"TIT2", u"皮"}});
    WriteBytes(given / "q.lrc", "[00:01]丘的");
    WriteBytes(given / "p.lrc", "[00:01]皮的");
    Audio(given / "r.flac", {{"TITLE", u"弗"}});
    Audio(given / "r.mp3", {{"TIT2", u"姆"}, {"USLT", u"自己的"}});
    WriteBytes(given / "r.lrc", "[00:01]旁边");
    const ImportReport report =
        ImportAll({dir, given / "x.wv", given / "x.txt", given / "p.mp3", given / "q.lrc",
                   given / "p.lrc", given / "r.flac", given / "r.lrc", given / "r.mp3"});
    const std::vector<Song> expected{{u"独自", u"词", {}, u"独自 - 某人"},
                                     {u"甲", u"旁边的", u"乙"},
                                     {u"丙", u"文本"},
                                     {u"名", u"词", u"歌手"},
                                     {u"d", u"只在标签里"},
                                     {u"f", u"一对"},
                                     {u"f", u"不是一对"},
                                     {u"h", u"标签的词"},
                                     {u"标题", u"词", {}, u"标题 - 某人"},
                                     {u"标签名", u"词", {}, u"标签名 - 某人"},
                                     {u"名三", u"词", {}, u"某人 - 名三"},
                                     {u"n", u"坏的旁边"},
#ifndef _WIN32
                                     {u"o", u"管道旁边"},
#endif
                                     {u"x", u"一起给的", u"给的"},
                                     {u"皮", u"皮的"},
                                     {u"q", u"丘的"},
                                     {u"弗", u"旁边"},
                                     {u"姆", u"自己的"}};
    EXPECT_EQ(SongsOf(run.Songs()), expected);
#ifdef _WIN32
    ASSERT_EQ(report.skipped.size(), 3u);
#else
    ASSERT_EQ(report.skipped.size(), 4u);
    EXPECT_EQ(report.skipped[3].what(), Described(Problem::NotRegularFile, dir / "o.m4a"));
#endif
    EXPECT_EQ(report.skipped[0].what(), Described(Problem::AudioWithoutLyric, dir / "e.ogg"));
    EXPECT_EQ(report.skipped[1].what(), Described(Problem::AudioWithoutLyric, dir / "g.mp3"));
    EXPECT_EQ(report.skipped[2].what(), Described(Problem::AudioBroken, dir / "n.m4a"));
}

std::string BigEndian(std::uint32_t n) {
    return {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
}

// An ID3v2.3 tag around the frames.
std::string Id3(const std::string& frames) {
    std::string size;
    for (int shift = 21; shift >= 0; shift -= 7) {
        size += char(frames.size() >> shift & 0x7F);
    }
    return std::string("ID3\3\0\0", 6) + size + frames;
}

std::string Frame(const std::string& id, const std::string& body, std::uint32_t size = 0) {
    return id + BigEndian(size ? size : static_cast<std::uint32_t>(body.size())) +
           std::string(2, '\0') + body;
}

// Chapters `depth` deep, each inside the one before, the innermost holding `inner`: written
// outside in, at a pass.
std::string Chapters(int depth, const std::string& inner) {
    const std::string fields = std::string("c\0", 2) + std::string(16, '\0');
    std::string nest;
    for (int level = depth; level > 0; --level) {
        const auto body =
            static_cast<std::uint32_t>(level * (fields.size() + 10) - 10 + inner.size());
        nest += "CHAP" + BigEndian(body) + std::string(2, '\0') + fields;
    }
    return nest + inner;
}

// Values between NULs, each a string to TagLib.
std::string Values(std::size_t count) {
    std::string values(1, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        values.append("x\0", 2);
    }
    return values;
}

// Each hostile file is skipped with its reason, or read as far as its real tag (nullopt): the
// largest tag read, one byte more refused. (What they cost in time and memory: bench/.)
TEST_F(AudioImportTest, HostileFilesChangeNothingElse) {
    const std::string frame = Frame("USLT", std::string("\3zho\0", 5) + "词"), lyric = Id3(frame);
    std::mt19937 random(7);
    std::string noise(65536, '\0'), repeated, nested;
    std::generate(noise.begin(), noise.end(), [&] { return char(random()); });
    std::string padding, frames;  // 2,000 empty blocks, 5,000 frames
    for (int i = 0; i < 5000; ++i) {
        repeated += lyric;
        frames += Frame("TIT3", std::string(2, 'x'));
        padding += i < 2000 ? std::string("\1\0\0\0", 4) : "";
    }
    // 99,999 comments "C=x", then the lyric.
    std::string comments = std::string(4, '\0') + BigEndian(0xA0860100);
    // And an MP4 item of 199,998 data atoms.
    const auto atom = [](const std::string& name, const std::string& body) {
        return BigEndian(static_cast<std::uint32_t>(8 + body.size())) + name + body;
    };
    std::string data;
    for (int i = 1; i < 100000; ++i) {
        comments += std::string("\3\0\0\0C=x", 7);
        data += atom("data", std::string(8, '\0')) + atom("data", std::string(8, '\0'));
    }
    const std::string items =
        atom("moov",
             atom("udta", atom("meta", std::string(4, '\0') + atom("hdlr", std::string(25, '\0')) +
                                           atom("ilst", atom("\251lyr", data)))));
    // An Ogg file's comments, counted 100,001.
    std::string ogg = ReadBytes(fs::path(VELMORA_TEST_DATA) / "audio" / "silent.ogg");
    ogg.replace(ogg.find("velmora") + 7, 4, BigEndian(0xA1860100));
    comments += std::string("\12\0\0\0LYRICS=\xE8\xAF\x8D", 14);
    // A FLAC file of the silent one's STREAMINFO, other blocks and a Vorbis comment block.
    const auto flac = [silent = ReadBytes(fs::path(VELMORA_TEST_DATA) / "audio" / "silent.flac")](
                          const std::string& block, const std::string& others = {}) {
        return silent.substr(0, 4) + '\0' + silent.substr(5) + others + '\x84' +
               BigEndian(static_cast<std::uint32_t>(block.size())).substr(1) + block;
    };
    // As long as a lyric may be, until each line end is CR LF.
    std::string longer;
    for (std::size_t i = 0; i < kLongestLyric / 2; ++i) {
        longer += "x\n";
    }
    // Atoms in atoms 100,000 deep: TagLib's recursion would overflow the stack.
    for (std::uint32_t depth = 0; depth < 100000; ++depth) {
        nested += BigEndian(8 * (100000 - depth)) + (depth == 0 ? "moov" : "trak");
    }
    // A table of contents and its chapter, each with its title, before the lyric: read.
    const std::string chapters =
        Frame("CTOC", std::string("toc\0\3\1c1\0", 9) + Frame("TIT2", std::string("\0目录"))) +
        Frame("CHAP", std::string("c1\0", 3) + std::string(16, '\0') +
                          Frame("TIT2", std::string("\0第一章"))) +
        frame;
    const std::tuple<std::string, std::string, std::optional<Problem>> table[] = {
        {"blocks.flac", flac(std::string(8, '\0'), padding), Problem::AudioBroken},
        // Text inside a chapter, and text to TagLib by other names (grouping, movement,
        // people): a string a value.
        {"chapter.mp3", Id3(Chapters(1, Frame("TXXX", Values(200'000))) + frame),
         Problem::TagTooLarge},
        {"chapters.mp3", Id3(chapters), std::nullopt},
        {"comments.flac", flac(comments), std::nullopt},
        {"compressed.mp3",
         Id3("USLT" + BigEndian(8) + std::string("\0\x80", 2) + noise.substr(0, 8)),
         Problem::AudioBroken},
        {"count.flac", flac(std::string(4, '\0') + BigEndian(0xA1860100)), Problem::AudioBroken},
        {"cut.mp3", lyric.substr(0, lyric.size() - 2), Problem::AudioBroken},
        // Nested past the stack TagLib recurses on, before a FLAC and in an MP3.
        {"deep.flac", Id3(Chapters(20000, frame)) + flac(comments), Problem::TagTooLarge},
        {"deep.mp3", Id3(Chapters(20000, frame)), Problem::TagTooLarge},
        {"deeper.mp3", Id3(Chapters(100000, frame)), Problem::TagTooLarge},
        // An ID3v2.4 tag with its footer before the FLAC: the FLAC starts after the footer.
        {"footer.flac",
         std::string("ID3\4\0\x10", 6) + lyric.substr(6, 4) + frame +
             std::string("3DI\4\0\x10", 6) + lyric.substr(6, 4) +
             flac(std::string(4, '\0') + std::string("\1\0\0\0", 4) +
                  std::string("\12\0\0\0LYRICS=\xE8\xAF\x8D", 14)),
         std::nullopt},
        {"frames.mp3", Id3(frames), Problem::AudioBroken},
        {"gigabyte.mp3", Id3(Frame("USLT", "x", 1u << 30)), Problem::AudioWithoutLyric},
        {"grouping.mp3", Id3(Frame("GRP1", Values(7'000'000)) + frame), Problem::TagTooLarge},
        {"huge.mp3", Id3(std::string(kLargestAudioTag - 9, '\0')), Problem::TagTooLarge},
        {"items.m4a", items, Problem::AudioBroken},
        {"liar.ape", "APETAGEX" + std::string("\0\0\0\0\xE8\3\0\0", 8) + std::string(16, '\0'),
         Problem::AudioBroken},
        {"long.flac",
         flac(std::string(4, '\0') + BigEndian(0x01000000) + BigEndian(0x07001000) +
              "LYRICS=" + longer),
         Problem::LyricTooLong},
        {"movement.mp3", Id3(Frame("MVNM", Values(200'000)) + frame), Problem::TagTooLarge},
        {"nested.m4a", nested, Problem::AudioBroken},
        {"noise.flac", noise, Problem::AudioBroken},
        {"noise.m4a", noise, Problem::AudioBroken},
        {"noise.mp3", noise, Problem::AudioWithoutLyric},
        {"noise.ogg", noise, Problem::AudioBroken},
        {"ogg.ogg", ogg, Problem::AudioBroken},
        {"padded.mp3", Id3(frame + std::string(kLargestAudioTag - 10 - frame.size(), '\0')),
         std::nullopt},
        {"people.mp3", Id3(Frame("IPLS", Values(200'000)) + frame), Problem::TagTooLarge},
        {"repeated.mp3", repeated, std::nullopt},
        {"texts.mp3", Id3(Frame("TXXX", std::string(256 * 1024 + 1, 'x'))), Problem::TagTooLarge},
        {"timed.mp3", Id3(Frame("SYLT", std::string(1024 * 1024 + 1, '\1'))), Problem::TagTooLarge},
        {"values.ape",
         BigEndian(0x70110100) + std::string(4, '\0') + "Title" + std::string(70001, '\0') +
             "APETAGEX" + BigEndian(0xD0070000) + BigEndian(0x9E110100) + BigEndian(0x01000000) +
             std::string(12, '\0'),
         Problem::TagTooLarge},
    };
    std::vector<std::string> skipped;
    fs::create_directories(dir);
    for (const auto& [name, bytes, problem] : table) {
        WriteBytes(dir / name, bytes);
        if (problem) {
            skipped.push_back(Described(*problem, dir / name));
        }
    }
#ifndef _WIN32  // Windows has no devices to link to in a folder
    fs::create_symlink("/dev/zero", dir / "zero.mp3");
    skipped.push_back(Described(Problem::NotRegularFile, dir / "zero.mp3"));
#endif
    // Two gigabytes of audio after a small tag, none of it stored.
    WriteBytes(dir / "sparse.mp3", lyric);
    fs::resize_file(dir / "sparse.mp3", 2ull << 30);
    const ImportReport report = ImportAll({dir});
    EXPECT_EQ(list.rows, (std::vector<std::u16string>{u"chapters", u"comments", u"footer",
                                                      u"padded", u"repeated", u"sparse"}));
    std::vector<std::string> reasons;
    for (const Failure& failure : report.skipped) {
        reasons.push_back(failure.what());
    }
    EXPECT_EQ(reasons, skipped);
}

}  // namespace
}  // namespace velmora
