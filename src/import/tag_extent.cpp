#include "import/tag_extent.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "text/failure.h"
#include "text/limits.h"

namespace velmora {
namespace {

// Real files have a handful of FLAC blocks and Ogg header pages, and a few dozen atoms
// nested a few deep; hostile ones have millions, each a read (and for TagLib an object).
constexpr int kMostFlacBlocks = 1024;
constexpr int kMostOggPages = 2048;
constexpr int kMostAtoms = 100'000;
constexpr std::size_t kDeepestAtom = 32;
// Vorbis comments: TagLib makes two strings of each; a real file has dozens.
constexpr std::uint64_t kMostComments = 100'000;

// Exactly `length` bytes at `offset`, or AudioBroken: a header cut off by the file's end.
std::string Header(ByteSource& file, std::uint64_t offset, std::size_t length) {
    std::string bytes(length, '\0');
    if (offset > file.Size() || file.Read(offset, bytes.data(), length) != length) {
        throw Failure(Problem::AudioBroken);
    }
    return bytes;
}

bool StartsWith(ByteSource& file, std::uint64_t offset, std::string_view mark) {
    std::string bytes(mark.size(), '\0');
    return offset <= file.Size() && file.Read(offset, bytes.data(), mark.size()) == mark.size() &&
           bytes == mark;
}

std::uint64_t BigEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (const char c : bytes) {
        value = value << 8 | static_cast<unsigned char>(c);
    }
    return value;
}

std::uint64_t LittleEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (auto c = bytes.rbegin(); c != bytes.rend(); ++c) {
        value = value << 8 | static_cast<unsigned char>(*c);
    }
    return value;
}

// A tag of `length` bytes from `begin`: refused past the limit, or past the file's end.
TagExtent Checked(ByteSource& file, std::uint64_t begin, std::uint64_t length) {
    if (length > kLargestAudioTag) {
        throw Failure(Problem::TagTooLarge);
    }
    if (begin + length > file.Size()) {
        throw Failure(Problem::AudioBroken);
    }
    return {begin, begin + length};
}

// An ID3v2 tag at `offset`: its header, its size in 7-bit bytes, a footer when flagged.
TagExtent Id3v2At(ByteSource& file, std::uint64_t offset) {
    const std::string header = Header(file, offset, 10);
    std::uint64_t size = 0;
    for (const char c : header.substr(6)) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            throw Failure(Problem::AudioBroken);
        }
        size = size << 7 | static_cast<unsigned char>(c);
    }
    const bool footer = (header[5] & 0x10) != 0;
    return Checked(file, offset, 10 + size + (footer ? 10 : 0));
}

// The comments' count, after the vendor's name at `at`.
void CheckCommentCount(ByteSource& file, std::uint64_t at) {
    const std::uint64_t vendor = LittleEndian(Header(file, at, 4));
    if (LittleEndian(Header(file, at + 4 + vendor, 4)) > kMostComments) {
        throw Failure(Problem::AudioBroken);
    }
}

TagExtent Flac(ByteSource& file) {
    std::uint64_t at = StartsWith(file, 0, "ID3") ? Id3v2At(file, 0).end : 0;
    if (!StartsWith(file, at, "fLaC")) {
        throw Failure(Problem::AudioBroken);
    }
    at += 4;
    for (int blocks = 1;; ++blocks) {
        const std::string header = Header(file, at, 4);
        if ((header[0] & 0x7F) == 4) {
            CheckCommentCount(file, at + 4);
        }
        at += 4 + BigEndian(header.substr(1));
        if (blocks > kMostFlacBlocks) {
            throw Failure(Problem::AudioBroken);
        }
        if ((header[0] & 0x80) != 0) {  // the last block
            return Checked(file, 0, at);
        }
        Checked(file, 0, at);
    }
}

// The pages up to the one where the second packet, the comments, ends.
TagExtent Ogg(ByteSource& file) {
    std::uint64_t at = 0;
    std::uint64_t comments = 0, commentsPageEnd = 0;  // where the second packet starts
    int packetsEnded = 0;
    for (int pages = 1; packetsEnded < 2; ++pages) {
        const std::string header = Header(file, at, 27);
        if (!header.starts_with("OggS") || pages > kMostOggPages) {
            throw Failure(Problem::AudioBroken);
        }
        const std::string lacing = Header(file, at + 27, static_cast<unsigned char>(header[26]));
        std::uint64_t segment = at + 27 + lacing.size();
        for (const char c : lacing) {
            comments = packetsEnded == 1 && comments == 0 ? segment : comments;
            segment += static_cast<unsigned char>(c);
            packetsEnded += static_cast<unsigned char>(c) < 255 ? 1 : 0;
        }
        at = Checked(file, 0, segment).end;
        commentsPageEnd = commentsPageEnd == 0 && comments != 0 ? at : commentsPageEnd;
    }
    // The count follows the mark and the vendor's name, on the packet's first page in any
    // real file: one that a page's end would cut is not taken for a count.
    const std::string mark = comments != 0 ? Header(file, comments, 8) : "";
    const std::uint64_t skip = mark.starts_with("\3vorbis") ? 7 : mark == "OpusTags" ? 8 : 0;
    if (skip != 0) {
        const std::uint64_t vendor = LittleEndian(Header(file, comments + skip, 4));
        if (comments + skip + 8 + vendor > commentsPageEnd) {
            throw Failure(Problem::AudioBroken);
        }
        CheckCommentCount(file, comments + skip);
    }
    return {0, at};
}

// An atom's length and name at `at`, and where what it holds begins.
struct Atom {
    std::uint64_t length;
    std::string name;
    std::uint64_t content;
};

// As TagLib reads one: a length of 0 runs to the end, 1 is followed by 64 bits; one it
// cannot use has length 0, and ends the reading.
Atom AtomAt(ByteSource& file, std::uint64_t at) {
    std::string header(8, '\0');
    if (file.Read(at, header.data(), 8) != 8) {
        return {0, {}, at};
    }
    Atom atom{BigEndian(header.substr(0, 4)), header.substr(4), at + 8};
    if (atom.length == 0) {
        atom.length = file.Size() - at;
    } else if (atom.length == 1) {
        std::string longer(8, '\0');
        atom.length = file.Read(at + 8, longer.data(), 8) == 8 ? BigEndian(longer) : 0;
        atom.content += 8;
    }
    // TagLib keeps lengths in a signed long.
    const bool valid = atom.length >= 8 && atom.length <= INT64_MAX;
    return valid ? atom : Atom{0, {}, at};
}

TagExtent Mp4(ByteSource& file) {
    std::uint64_t at = 0;
    for (int atoms = 0; at + 8 <= file.Size() && atoms < kMostAtoms; ++atoms) {
        const Atom atom = AtomAt(file, at);
        if (atom.length == 0) {
            break;
        }
        if (atom.name == "moov") {
            return Checked(file, at, atom.length);
        }
        at += atom.length;
    }
    throw Failure(Problem::AudioBroken);
}

// The tag ends in a footer at the file's end, or before an ID3v1 tag there.
TagExtent Ape(ByteSource& file) {
    const std::uint64_t size = file.Size();
    const std::uint64_t end =
        size >= 128 && StartsWith(file, size - 128, "TAG") ? size - 128 : size;
    if (end < 32 || !StartsWith(file, end - 32, "APETAGEX")) {
        return {};
    }
    // The items and the footer: TagLib reads them from the footer back, never its header.
    const std::uint64_t length = LittleEndian(Header(file, end - 32, 32).substr(12, 4));
    if (length > kLargestAudioTag) {
        throw Failure(Problem::TagTooLarge);
    }
    if (length > end) {
        throw Failure(Problem::AudioBroken);
    }
    return {end - length, size};
}

bool IsContainer(std::string_view name) {
    static constexpr std::array<std::string_view, 11> kContainers{
        "moov", "udta", "mdia", "meta", "ilst", "stbl", "minf", "moof", "traf", "trak", "stsd"};
    return std::find(kContainers.begin(), kContainers.end(), name) != kContainers.end();
}

// Where a container's first child begins: "meta" is a full atom (4 bytes of version and
// flags) unless a known child follows at once; "stsd" has 8 bytes of its own.
std::uint64_t FirstChild(ByteSource& file, const Atom& atom) {
    if (atom.name == "stsd") {
        return atom.content + 8;
    }
    if (atom.name != "meta") {
        return atom.content;
    }
    std::string next(8, '\0');
    next.resize(file.Read(atom.content, next.data(), 8));
    const std::string_view name = next.size() == 8 ? std::string_view(next).substr(4) : "";
    const bool full =
        name != "hdlr" && name != "ilst" && name != "mhdr" && name != "ctry" && name != "lang";
    return atom.content + (full ? 4 : 0);
}

}  // namespace

std::size_t MemorySource::Read(std::uint64_t offset, char* into, std::size_t length) {
    if (offset >= bytes_.size()) {
        return 0;
    }
    const std::size_t count = std::min<std::uint64_t>(length, bytes_.size() - offset);
    std::memcpy(into, bytes_.data() + offset, count);
    return count;
}

TagExtent FindTag(ByteSource& file, AudioKind kind) {
    switch (kind) {
        case AudioKind::Mpeg:
            return StartsWith(file, 0, "ID3") ? Id3v2At(file, 0) : TagExtent{};
        case AudioKind::Flac:
            return Flac(file);
        case AudioKind::Ogg:
            return Ogg(file);
        case AudioKind::Mp4:
            return Mp4(file);
        case AudioKind::Ape:
            return Ape(file);
    }
    return {};
}

void CheckMoovAtoms(ByteSource& moov) {
    // Each open container's end and name; the top level runs while a header fits. An item of
    // the ilst is walked too for its data atoms (TagLib makes a string of each), then left
    // at its end, as TagLib leaves it.
    std::vector<std::pair<std::uint64_t, std::string>> ends{{moov.Size(), ""}};
    std::uint64_t at = 0;
    for (int atoms = 0; !ends.empty();) {
        if (ends.size() == 1 ? at + 8 > ends.back().first : at >= ends.back().first) {
            at = ends.back().second == "item" ? ends.back().first : at;
            ends.pop_back();
            continue;
        }
        const Atom atom = AtomAt(moov, at);
        if (atom.length == 0) {
            return;  // TagLib stops reading there, every level at once
        }
        if (++atoms > kMostAtoms) {
            throw Failure(Problem::AudioBroken);
        }
        const bool container = IsContainer(atom.name);
        const bool item = !container && ends.back().second == "ilst";
        if (!container && !item) {
            at += atom.length;
            continue;
        }
        if (ends.size() > kDeepestAtom) {
            throw Failure(Problem::AudioBroken);
        }
        ends.emplace_back(at + atom.length, item ? "item" : atom.name);
        at = item ? atom.content : FirstChild(moov, atom);
    }
}

}  // namespace velmora
