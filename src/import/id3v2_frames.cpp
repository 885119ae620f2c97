#include "import/id3v2_frames.h"

#include <taglib/id3v2frame.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unsynchronizedlyricsframe.h>

#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

#include "import/tag_text.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/text_detection.h"

namespace velmora {
namespace {

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

}  // namespace

AudioTags Id3v2Tags(const TagLib::ID3v2::Tag& tag) {
    AudioTags tags{Id3Field(tag, "TIT2"), Id3Field(tag, "TPE1"),
                   FirstLyric<TagLib::ID3v2::UnsynchronizedLyricsFrame>(tag, "USLT")};
    if (tags.lyric.empty()) {
        tags.lyric = FirstLyric<TagLib::ID3v2::SynchronizedLyricsFrame>(tag, "SYLT");
    }
    return tags;
}

}  // namespace velmora
