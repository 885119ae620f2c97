#include "import/id3v2_check.h"

#include <taglib/id3v2extendedheader.h>
#include <taglib/id3v2frame.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2synchdata.h>

#include "text/failure.h"

namespace velmora {
namespace {

// TagLib's frame header, a name it keeps to its frames.
struct FrameAccess : TagLib::ID3v2::Frame {
    using Header = TagLib::ID3v2::Frame::Header;
};

// A real tag has a few dozen frames, kilobytes of text and timed lines, a lyric or a few (one
// a language); a table of contents holds chapters, and a chapter its title.
constexpr unsigned kMostFrames = 4096;
constexpr unsigned kMostTextBytes = 256 * 1024;
constexpr unsigned kMostLyricBytes = 4 * 1024 * 1024;
constexpr unsigned kMostTimedBytes = 1024 * 1024;
constexpr int kMostNesting = 4;

// What TagLib makes of a frame's data, by its kind.
enum class Holds { Text, Lyric, Timed, Frames, Bytes };

Holds KindOf(const TagLib::ByteVector& id) {
    if (id == "CHAP" || id == "CTOC") {
        return Holds::Frames;
    }
    if (id == "USLT" || id == "ULT") {
        return Holds::Lyric;
    }
    // Timed lyrics, and event timing codes: an object a line or an event.
    if (id == "SYLT" || id == "SLT" || id == "ETCO" || id == "ETC") {
        return Holds::Timed;
    }
    // Text and URL frames, Apple's text frames by other names, the people list of ID3v2.3
    // and comments: a string a value.
    for (const char* text : {"MVNM", "MVIN", "GRP1", "IPLS", "MVN", "MVI", "GP1", "IPL", "COMM",
                             "COM", "OWNE", "USER"}) {
        if (id == text) {
            return Holds::Text;
        }
    }
    return id.startsWith("T") || id.startsWith("W") ? Holds::Text : Holds::Bytes;
}

struct Walk {
    unsigned version;
    bool unsynchronised;  // the whole tag, in ID3v2.4: each frame is decoded on its own
    unsigned frames = 0;
    unsigned text = 0;
    unsigned lyric = 0;
    unsigned timed = 0;

    void Frames(const TagLib::ByteVector& data, unsigned position, int depth);
    void Count(const FrameAccess::Header& frame);
    void Embedded(const FrameAccess::Header& frame, const TagLib::ByteVector& data, int depth);
};

void Walk::Frames(const TagLib::ByteVector& data, unsigned position, int depth) {
    const unsigned headerSize = TagLib::ID3v2::Frame::headerSize(version);
    while (data.size() > headerSize && position < data.size() - headerSize &&
           data.at(position) != 0) {
        const FrameAccess::Header frame(data.mid(position), version);
        if (frame.frameSize() == 0 || frame.frameSize() > data.size() - position) {
            break;  // where TagLib stops
        }
        Count(frame);
        if (KindOf(frame.frameID()) == Holds::Frames) {
            Embedded(frame, data.mid(position + headerSize, frame.frameSize()), depth + 1);
        }
        position += frame.frameSize() + headerSize;
    }
}

void Walk::Count(const FrameAccess::Header& frame) {
    if (frame.compression() || ++frames > kMostFrames) {
        throw Failure(Problem::AudioBroken);
    }
    unsigned* spent = nullptr;
    unsigned most = 0;
    switch (KindOf(frame.frameID())) {
        case Holds::Text:
            spent = &text, most = kMostTextBytes;
            break;
        case Holds::Lyric:
            spent = &lyric, most = kMostLyricBytes;
            break;
        case Holds::Timed:
            spent = &timed, most = kMostTimedBytes;
            break;
        case Holds::Frames:
        case Holds::Bytes:
            return;  // what TagLib keeps of them is a copy of their bytes
    }
    *spent += frame.frameSize();
    if (*spent > most) {
        throw Failure(Problem::TagTooLarge);
    }
}

// The frames inside a chapter (after its ID and four times) or a table of contents (after its
// ID, its flags and the IDs of its entries), each made by TagLib as a frame of the tag is.
void Walk::Embedded(const FrameAccess::Header& frame, const TagLib::ByteVector& stored, int depth) {
    if (depth > kMostNesting) {
        throw Failure(Problem::TagTooLarge);
    }
    TagLib::ByteVector data = stored;
    if (version > 3 && (unsynchronised || frame.unsynchronisation())) {
        data = TagLib::ID3v2::SynchData::decode(data);
    }
    if (frame.dataLengthIndicator()) {
        data = data.mid(4);
    }
    const auto pastString = [&data](unsigned from) {
        const int end = data.find('\0', from);
        return end < 0 ? data.size() : static_cast<unsigned>(end) + 1;
    };
    unsigned position = pastString(0);
    if (frame.frameID() == "CHAP") {
        position += 16;
    } else {
        const unsigned entries =
            position + 1 < data.size() ? static_cast<unsigned char>(data.at(position + 1)) : 0;
        position += 2;
        for (unsigned i = 0; i < entries && position < data.size(); ++i) {
            position = pastString(position);
        }
    }
    Frames(data, position, depth);
}

}  // namespace

void CheckId3v2Frames(const TagLib::ByteVector& tag) {
    const TagLib::ID3v2::Header header(tag.mid(0, 10));
    Walk walk{header.majorVersion(), header.unsynchronisation()};
    TagLib::ByteVector data = tag.mid(10, header.tagSize());
    if (header.unsynchronisation() && walk.version <= 3) {
        data = TagLib::ID3v2::SynchData::decode(data);
    }
    unsigned position = 0;
    if (header.extendedHeader()) {
        TagLib::ID3v2::ExtendedHeader extended;
        extended.setData(data);
        position += extended.size() <= data.size() ? extended.size() : 0;
    }
    if (header.footerPresent() && data.size() >= 10) {
        data = data.mid(0, data.size() - 10);
    }
    walk.Frames(data, position, 0);
}

}  // namespace velmora
