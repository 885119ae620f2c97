#include "import/audio_file.h"

#include <sys/stat.h>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2extendedheader.h>
#include <taglib/id3v2frame.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2synchdata.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/opusfile.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfile.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/vorbisfile.h>
#include <taglib/xiphcomment.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "import/lyric_file.h"
#include "platform/file.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/limits.h"
#include "text/text_detection.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class FileSource : public ByteSource {
public:
    explicit FileSource(const fs::path& path) : path_(path), file_(path, File::Mode::OpenNoWait) {
        if (!file_.isOpen()) {
            throw Failure(Problem::Unreadable, path, file_.error());
        }
        if (file_.type() != S_IFREG) {
            throw Failure(Problem::NotRegularFile, path);
        }
        const auto size = file_.size();
        if (!size) {
            throw Failure(Problem::Unreadable, path, file_.error());
        }
        size_ = *size;
    }
    std::uint64_t Size() const override { return size_; }
    std::size_t Read(std::uint64_t offset, char* into, std::size_t length) override {
        const auto read = file_.seek(offset) ? file_.read(into, length) : std::nullopt;
        if (!read) {
            throw Failure(Problem::Unreadable, path_, file_.error());
        }
        return *read;
    }

private:
    fs::path path_;
    File file_;
    std::uint64_t size_ = 0;
};

// TagLib has made its string by now, but the copies are held to a lyric's size: a tag of text
// costs TagLib four bytes a character and would cost as much again here.
void CheckLength(const TagLib::String& text) {
    if (text.size() > kLongestImportedLyric) {
        throw Failure(Problem::LyricTooLong);
    }
}

// TagLib keeps UTF-16 units in its wide strings, whatever the width of wchar_t.
std::u16string Units(const TagLib::String& text) {
    CheckLength(text);
    std::u16string units;
    for (const wchar_t unit : text.toWString()) {
        units.push_back(static_cast<char16_t>(unit));
    }
    return codepage::WellFormed(units);
}

// TagLib's frame header, a name it keeps to its frames.
struct FrameAccess : TagLib::ID3v2::Frame {
    using Header = TagLib::ID3v2::Frame::Header;
};

// A real tag has a few dozen frames, and kilobytes of text frames (TagLib makes a string of
// each value between NULs) and timed lines (one of each line).
constexpr unsigned kMostFrames = 4096;
constexpr unsigned kMostTextFrameBytes = 256 * 1024;
constexpr unsigned kMostTimedLyricBytes = 1024 * 1024;

// The frames walked first as TagLib walks them, before it makes an object of each: a
// compressed frame (which it would inflate however far it goes) is refused, as are more
// frames, text or timed lines than a real tag holds.
void CheckId3v2Frames(const TagLib::ByteVector& tag) {
    const TagLib::ID3v2::Header header(tag.mid(0, 10));
    const unsigned version = header.majorVersion();
    TagLib::ByteVector data = tag.mid(10, header.tagSize());
    if (header.unsynchronisation() && version <= 3) {
        data = TagLib::ID3v2::SynchData::decode(data);
    }
    unsigned position = 0;
    unsigned length = data.size();
    if (header.extendedHeader()) {
        TagLib::ID3v2::ExtendedHeader extended;
        extended.setData(data);
        position += extended.size() <= data.size() ? extended.size() : 0;
    }
    length -= header.footerPresent() && length >= 10 ? 10 : 0;
    const unsigned headerSize = TagLib::ID3v2::Frame::headerSize(version);
    unsigned frames = 0, text = 0, timed = 0;
    while (position < length - headerSize && data.at(position) != 0) {
        const FrameAccess::Header frame(data.mid(position), version);
        const TagLib::ByteVector id = frame.frameID();
        if (frame.frameSize() == 0 || frame.frameSize() > data.size() - position) {
            break;  // where TagLib stops
        }
        if (frame.compression() || ++frames > kMostFrames) {
            throw Failure(Problem::AudioBroken);
        }
        if (id.startsWith("T")) {
            text += frame.frameSize();
        } else if (id == "SYLT" || id == "SLT") {
            timed += frame.frameSize();
        }
        if (text > kMostTextFrameBytes || timed > kMostTimedLyricBytes) {
            throw Failure(Problem::TagTooLarge);
        }
        position += frame.frameSize() + headerSize;
    }
}

// The most values TagLib makes strings of in an APE tag (one between each two NULs of a text
// item), and the items themselves: a real tag has a few dozen.
constexpr unsigned kMostApeValues = 65536;

// The items walked first as TagLib walks them: each NUL in a text item is a string to it.
void CheckApeItems(const TagLib::ByteVector& tag) {
    const bool id3v1 = tag.size() >= 128 && tag.mid(tag.size() - 128, 3) == "TAG";
    const unsigned end = tag.size() - (id3v1 ? 128 : 0);
    const TagLib::ByteVector items = tag.mid(0, end >= 32 ? end - 32 : 0);  // less the footer
    unsigned values = 0;
    for (unsigned at = 0; items.size() >= 11 && at <= items.size() - 11;) {
        const int key = items.find('\0', at + 8);
        const unsigned length = items.toUInt(at, false);
        if (key < 0 || length >= items.size() || at > items.size() - length) {
            return;  // where TagLib stops
        }
        const TagLib::ByteVector value = items.mid(static_cast<unsigned>(key) + 1, length);
        const bool text = ((items.toUInt(at + 4, false) >> 1) & 3) == 0;
        values +=
            1 + (text ? static_cast<unsigned>(std::count(value.begin(), value.end(), '\0')) : 0);
        if (values > kMostApeValues) {
            throw Failure(Problem::TagTooLarge);
        }
        at = static_cast<unsigned>(key) + 1 + length;
    }
}

// A name on one line, without blanks around it.
std::u16string OneLine(std::u16string text) {
    std::replace_if(
        text.begin(), text.end(), [](char16_t c) { return c < u' '; }, u' ');
    const std::size_t first = text.find_first_not_of(u' ');
    return first == std::u16string::npos
               ? u""
               : text.substr(first, text.find_last_not_of(u' ') + 1 - first);
}

// A frame's encoding byte, kept by TagLib as it came: it may be none of String::Type's values,
// so it is only compared, never held in one.
template <typename Frame>
bool InLatin1(const Frame& frame) {
    return static_cast<int>(frame.textEncoding()) == static_cast<int>(TagLib::String::Latin1);
}

// Latin-1 as people write it: accented letters among plain ones ("Déjà vu", "Über"). Two
// such bytes side by side, or a sign among them, are far likelier GBK's or Big5's.
bool LooksLatin1(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool letter = byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
        const bool alone = i + 1 == bytes.size() || static_cast<unsigned char>(bytes[i + 1]) < 0x80;
        if (byte == 0 || (byte >= 0x80 && !(letter && alone))) {
            return false;
        }
    }
    return true;
}

// An ID3v2 text: one called Latin-1 holds a byte a character, Latin-1's, or as often GBK's
// or UTF-8's, as Chinese taggers wrote them.
std::u16string Id3Text(const TagLib::String& text, bool latin1, bool lyric) {
    CheckLength(text);
    if (!latin1) {
        return Units(text);
    }
    const std::string bytes = text.to8Bit(false);
    return LooksLatin1(bytes) ? codepage::DecodeCharset(bytes, "ISO-8859-1")
           : lyric            ? DecodeTextFile(bytes).value_or(u"")
                              : DecodeFileName(bytes);
}

std::u16string Id3Field(const TagLib::ID3v2::Tag& tag, const char* id) {
    const TagLib::ID3v2::FrameList& frames = tag.frameList(id);
    const auto* frame =
        frames.isEmpty()
            ? nullptr
            : dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frames.front());
    return frame ? OneLine(Id3Text(frame->fieldList().toString(" / "), InLatin1(*frame), false))
                 : u"";
}

// The timed lines, in time order; lines at one time in the order they came.
std::u16string SyltLyric(const TagLib::ID3v2::SynchronizedLyricsFrame& frame) {
    std::vector<std::pair<unsigned, std::u16string>> lines;
    for (const auto& line : frame.synchedText()) {
        lines.emplace_back(line.time, Id3Text(line.text, InLatin1(frame), true));
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::u16string lyric;
    for (const auto& [time, text] : lines) {
        lyric.append(lyric.empty() ? u"" : u"\n").append(text);
    }
    return lyric;
}

template <typename Frame>
std::u16string FirstLyric(const TagLib::ID3v2::Tag& tag, const char* id) {
    for (const TagLib::ID3v2::Frame* found : tag.frameList(id)) {
        const auto* frame = dynamic_cast<const Frame*>(found);
        std::u16string lyric;
        if constexpr (std::is_same_v<Frame, TagLib::ID3v2::SynchronizedLyricsFrame>) {
            lyric = frame ? SyltLyric(*frame) : u"";
        } else {
            lyric = frame ? Id3Text(frame->text(), InLatin1(*frame), true) : u"";
        }
        if (!lyric.empty()) {
            return lyric;
        }
    }
    return {};
}

AudioTags Id3v2Tags(const TagLib::ID3v2::Tag& tag) {
    AudioTags tags{Id3Field(tag, "TIT2"), Id3Field(tag, "TPE1"),
                   FirstLyric<TagLib::ID3v2::UnsynchronizedLyricsFrame>(tag, "USLT")};
    if (tags.lyric.empty()) {
        tags.lyric = FirstLyric<TagLib::ID3v2::SynchronizedLyricsFrame>(tag, "SYLT");
    }
    return tags;
}

// The first value of the first key that has one; maps of TagLib's (keys upper case).
template <typename Map, typename Value>
std::u16string First(const Map& map, std::initializer_list<const char*> keys, Value value) {
    for (const char* key : keys) {
        const auto found = map.find(key);
        if (found != map.end()) {
            const std::u16string text = value(found->second);
            if (!text.empty()) {
                return text;
            }
        }
    }
    return {};
}

std::u16string FirstString(const TagLib::StringList& values) {
    return values.isEmpty() ? u"" : Units(values.front());
}

AudioTags XiphTags(const TagLib::Ogg::XiphComment& comment) {
    const auto& fields = comment.fieldListMap();
    return {OneLine(First(fields, {"TITLE"}, FirstString)),
            OneLine(First(fields, {"ARTIST"}, FirstString)),
            First(fields, {"LYRICS", "UNSYNCEDLYRICS"}, FirstString)};
}

AudioTags Mp4Tags(const TagLib::MP4::Tag& tag) {
    const auto item = [](const TagLib::MP4::Item& found) {
        return FirstString(found.toStringList());
    };
    const auto& items = tag.itemMap();
    return {OneLine(First(items, {"\251nam"}, item)), OneLine(First(items, {"\251ART"}, item)),
            First(items, {"\251lyr"}, item)};
}

AudioTags ApeTags(const TagLib::APE::Tag& tag) {
    const auto item = [](const TagLib::APE::Item& found) { return FirstString(found.values()); };
    const auto& items = tag.itemListMap();
    return {OneLine(First(items, {"TITLE"}, item)), OneLine(First(items, {"ARTIST"}, item)),
            First(items, {"LYRICS"}, item)};
}

AudioTags OggTags(TagLib::ByteVectorStream& stream) {
    TagLib::Ogg::Vorbis::File vorbis(&stream, false);
    if (vorbis.isValid() && vorbis.tag()) {
        return XiphTags(*vorbis.tag());
    }
    stream.seek(0);
    TagLib::Ogg::Opus::File opus(&stream, false);
    if (opus.isValid() && opus.tag()) {
        return XiphTags(*opus.tag());
    }
    throw Failure(Problem::AudioBroken);
}

// An ID3v2 tag alone, as TagLib reads one at a file's start: not as an MPEG file, which would
// look for an APE tag at the end of the window too.
class TagWindow : public TagLib::File {
public:
    explicit TagWindow(TagLib::IOStream* stream) : TagLib::File(stream) {}
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

// The tag alone, in memory, read as TagLib reads a whole file of its kind.
AudioTags TagsIn(TagLib::ByteVectorStream& stream, AudioKind kind) {
    auto* const frames = TagLib::ID3v2::FrameFactory::instance();
    switch (kind) {
        case AudioKind::Mpeg: {
            TagWindow file(&stream);
            const TagLib::ID3v2::Tag tag(&file, 0, frames);
            return Id3v2Tags(tag);
        }
        case AudioKind::Flac: {
            TagLib::FLAC::File file(&stream, frames, false);
            if (!file.isValid()) {
                throw Failure(Problem::AudioBroken);
            }
            return file.xiphComment() ? XiphTags(*file.xiphComment()) : AudioTags{};
        }
        case AudioKind::Ogg:
            return OggTags(stream);
        case AudioKind::Mp4: {
            TagLib::MP4::File file(&stream, false);
            if (!file.isValid()) {
                throw Failure(Problem::AudioBroken);
            }
            return file.tag() ? Mp4Tags(*file.tag()) : AudioTags{};
        }
        case AudioKind::Ape: {
            TagLib::APE::File file(&stream, false);
            return file.APETag() ? ApeTags(*file.APETag()) : AudioTags{};
        }
    }
    return {};
}

}  // namespace

std::optional<AudioKind> AudioKindOf(const fs::path& file) {
    static const std::map<std::string, AudioKind> kinds{
        {".mp3", AudioKind::Mpeg}, {".flac", AudioKind::Flac}, {".ogg", AudioKind::Ogg},
        {".opus", AudioKind::Ogg}, {".m4a", AudioKind::Mp4},   {".mp4", AudioKind::Mp4},
        {".ape", AudioKind::Ape},  {".wv", AudioKind::Ape}};
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto kind = kinds.find(extension);
    return kind == kinds.end() ? std::nullopt : std::optional(kind->second);
}

AudioTags ReadAudioTags(ByteSource& bytes, AudioKind kind) {
    const TagExtent extent = FindTag(bytes, kind);
    if (extent.end == extent.begin) {
        return {};
    }
    TagLib::ByteVector tag(static_cast<unsigned>(extent.end - extent.begin), '\0');
    if (bytes.Read(extent.begin, tag.data(), tag.size()) != tag.size()) {
        throw Failure(Problem::AudioBroken);  // cut short since its header was read
    }
    if (kind == AudioKind::Mpeg || (kind == AudioKind::Flac && tag.startsWith("ID3"))) {
        CheckId3v2Frames(tag);
    }
    if (kind == AudioKind::Ape) {
        CheckApeItems(tag);
    }
    if (kind == AudioKind::Mp4) {
        MemorySource moov(std::string_view(tag.data(), tag.size()));
        CheckMoovAtoms(moov);
    }
    TagLib::ByteVectorStream stream(tag);
    return TagsIn(stream, kind);
}

AudioTags AudioFileTags(const fs::path& file, AudioKind kind) {
    FileSource source(file);
    try {
        return ReadAudioTags(source, kind);
    } catch (const Failure& failure) {
        throw Failure(failure.problem(), file, failure.number(), failure.detail());
    }
}

Song SongFromTags(const AudioTags& tags, std::u16string_view fileName) {
    // A tag may hold far more than a lyric file may: the song is held to a lyric file's.
    const auto tooLong = [](const Song& song) {
        return song.name.size() + song.artist.size() + song.lyric.size() > kLongestImportedLyric;
    };
    if (tooLong({tags.name, tags.lyric, tags.artist})) {
        throw Failure(Problem::LyricTooLong);
    }
    Song song = HasTimeTags(tags.lyric) ? SongFromLrc(tags.lyric, fileName, tags.name)
                                        : SongFromText(tags.lyric, fileName, tags.name);
    if (tooLong(song)) {
        throw Failure(Problem::LyricTooLong);  // its line ends now two characters each
    }
    song.name = tags.name.empty() ? song.name : tags.name;
    song.artist = tags.artist.empty() ? song.artist : tags.artist;
    return song;
}

}  // namespace velmora
