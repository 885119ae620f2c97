#pragma once
// Text files of unknown encoding (lyric files from players, Windows and old phones) and file
// names in legacy encodings, read as text: the byte-order mark decides first, ICU's charset
// detector after it.

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The encoding of a text's bytes, of those lyric files come in: the one a byte-order mark
// names; else UTF-8 when the bytes are valid UTF-8, or all but a few of them (a stray byte
// is then one replacement character); else UTF-16 of the order its zero bytes show; else the
// likeliest the detector finds of UTF-16 and UTF-32 of either order, GB18030, Big5,
// Shift_JIS and EUC-KR; else GB18030.
// As iconv names it, with the byte-order mark's length.
struct TextEncodingFound {
    std::string charset;
    std::size_t mark = 0;
};
TextEncodingFound DetectEncoding(std::string_view bytes);

// The bytes as text in the encoding found. Nothing when they are no text: NUL bytes in an
// encoding that has none.
std::optional<std::u16string> DecodeTextFile(std::string_view bytes);

// A file name's bytes as text: UTF-8 when they are, else as a file's content is read, so
// that a name from a Windows archive or a USB stick reads right.
std::u16string DecodeFileName(std::string_view bytes);

}  // namespace velmora
