#include "import/audio_file.h"

#include <sys/stat.h>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/opusfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/xiphcomment.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "import/id3v2_check.h"
#include "import/id3v2_frames.h"
#include "import/lyric_file.h"
#include "import/tag_text.h"
#include "platform/file.h"
#include "text/failure.h"
#include "text/limits.h"

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
        return song.name.size() + song.artist.size() + song.lyric.size() > kLongestLyric;
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
