#include "song_file.h"

#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "text/code_page.h"

namespace velmora::songs {
namespace {

// Just enough JSON for a list of lists of strings.
class SongListParser {
public:
    explicit SongListParser(std::string text) : text_(std::move(text)) {}

    std::vector<Song> Parse() {
        std::vector<Song> songs;
        Expect('[');
        while (Peek() != ']') {
            Expect('[');
            Song song;
            song.name = String();
            Expect(',');
            song.lyric = String();
            Expect(']');
            songs.push_back(std::move(song));
            if (Peek() == ',') {
                ++at_;
            }
        }
        Expect(']');
        return songs;
    }

private:
    char Peek() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) {
            ++at_;
        }
        if (at_ >= text_.size()) {
            Fail("unexpected end");
        }
        return text_[at_];
    }

    void Expect(char c) {
        if (Peek() != c) {
            Fail(std::string("expected '") + c + "'");
        }
        ++at_;
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("song file: " + what + " at byte " + std::to_string(at_));
    }

    char16_t Hex4() {
        if (at_ + 4 > text_.size()) {
            Fail("short \\u escape");
        }
        const auto unit = static_cast<char16_t>(std::stoi(text_.substr(at_, 4), nullptr, 16));
        at_ += 4;
        return unit;
    }

    std::u16string String() {
        Expect('"');
        std::u16string value;
        std::string plain;
        auto flush = [&] {
            value += codepage::FromUtf8(plain);
            plain.clear();
        };
        while (at_ < text_.size() && text_[at_] != '"') {
            const char c = text_[at_++];
            if (c != '\\') {
                plain.push_back(c);
                continue;
            }
            flush();
            const char escape = text_.at(at_++);
            switch (escape) {
                case 'n':
                    value += u'\n';
                    break;
                case 'r':
                    value += u'\r';
                    break;
                case 't':
                    value += u'\t';
                    break;
                case 'b':
                    value += u'\b';
                    break;
                case 'f':
                    value += u'\f';
                    break;
                case 'u':
                    value += Hex4();
                    break;
                default:
                    value += static_cast<char16_t>(escape);
                    break;
            }
        }
        flush();
        Expect('"');
        return value;
    }

    std::string text_;
    std::size_t at_ = 0;
};

constexpr char16_t kCommonCharacters[] =
    u"的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动"
    u"同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自"
    u"二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日"
    u"那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变";

}  // namespace

std::vector<Song> ReadSongFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return SongListParser({std::istreambuf_iterator<char>(in), {}}).Parse();
}

std::vector<Song> GenerateSongs(int count, int lines) {
    constexpr std::size_t kAlphabet = std::size(kCommonCharacters) - 1;
    std::uint32_t state = 20240101;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    std::vector<Song> songs;
    songs.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        Song song;
        for (int k = 0; k < 4; ++k) {
            song.name += kCommonCharacters[next() % kAlphabet];
        }
        for (int line = 0; line < lines; ++line) {
            if (line > 0) {
                song.lyric += u"\r\n";
            }
            for (int k = 0; k < 10; ++k) {
                song.lyric += kCommonCharacters[next() % kAlphabet];
            }
        }
        songs.push_back(std::move(song));
    }
    return songs;
}

}  // namespace velmora::songs
