#include "import/audio_file.h"

#include <sys/stat.h>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>
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

// TagLib keeps UTF-16 units in its wide strings, whatever the width of wchar_t.
// TagLib has made its string by now, but the copies are held to a lyric's size: a tag of text
// costs TagLib four bytes a character and would cost as much again here.
void CheckLength(const TagLib::String& text) {
    if (text.size() > kLongestImportedLyric) {
        throw Failure(Problem::LyricTooLong);
    }
}

std::u16string Units(const TagLib::String& text) {
    CheckLength(text);
    std::u16string units;
    for (const wchar_t unit : text.toWString()) {
        units.push_back(static_cast<char16_t>(unit));
    }
    return codepage::WellFormed(units);
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

// An ID3v2 text: one called Latin-1 holds a byte a character, often GBK's bytes.
std::u16string Id3Text(const TagLib::String& text, bool latin1, bool lyric) {
    CheckLength(text);
    if (!latin1) {
        return Units(text);
    }
    const std::string bytes = text.to8Bit(false);
    return lyric ? DecodeTextFile(bytes).value_or(u"") : DecodeFileName(bytes);
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

// The tag alone, in memory, read as TagLib reads a whole file of its kind.
AudioTags TagsIn(TagLib::ByteVectorStream& stream, AudioKind kind) {
    auto* const frames = TagLib::ID3v2::FrameFactory::instance();
    switch (kind) {
        case AudioKind::Mpeg: {
            TagLib::MPEG::File file(&stream, frames, false);
            return file.ID3v2Tag() ? Id3v2Tags(*file.ID3v2Tag()) : AudioTags{};
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
    Song song = HasTimeTags(tags.lyric) ? SongFromLrc(tags.lyric, fileName)
                                        : SongFromText(tags.lyric, fileName);
    if (tooLong(song)) {
        throw Failure(Problem::LyricTooLong);  // its line ends now two characters each
    }
    song.name = tags.name.empty() ? song.name : tags.name;
    song.artist = tags.artist.empty() ? song.artist : tags.artist;
    return song;
}

}  // namespace velmora
