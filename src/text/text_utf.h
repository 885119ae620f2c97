#pragma once
// Text files in a chosen encoding, marked by a byte-order mark (BOM) at their start.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace mTextUTF {

using TextEncoding =
    std::int32_t;  // -1 detect, 0 ANSI, 1 UTF-8, 2 UTF-16LE, 3 UTF-16BE, 4 UTF-32LE, 5 UTF-32BE

inline constexpr TextEncoding kDetect = -1;
inline constexpr TextEncoding kAnsi = 0;
inline constexpr TextEncoding kUtf8 = 1;
inline constexpr TextEncoding kUtf16LE = 2;
inline constexpr TextEncoding kUtf16BE = 3;
inline constexpr TextEncoding kUtf32LE = 4;
inline constexpr TextEncoding kUtf32BE = 5;

// Code page of code 0; 0 stands for the ANSI code page (GB18030 here).
extern std::int32_t AnsiCodePage;

// The encoding of a file head (its first four bytes, little-endian, missing bytes 0);
// returns the BOM length: 0, 2, 3 or 4.
std::int32_t BomToEncoding(std::uint32_t head, TextEncoding& encoding);

// The head BomToEncoding reads: the first four bytes, little-endian, missing bytes 0.
std::uint32_t HeadOf(std::string_view bytes);

// Bytes in an encoding of codes 0 to 5, a mark at their start read as content.
std::u16string DecodeText(std::string_view bytes, TextEncoding encoding);

// The BOM of an encoding (its bytes least significant first); returns its length.
std::int32_t EncodingToBom(TextEncoding encoding, std::uint32_t& bom);

// The file's text; empty on every failure. A request of -1 receives the detected code
// once the head has been read.
std::u16string LoadText(const std::filesystem::path& path, TextEncoding& encoding);

// Writes (append false: truncated, with BOM) or appends (no BOM) the text. An encoding of
// -1 receives the default when the file is empty, or the code the file's BOM gives.
// True when the whole text was written or was empty.
bool SaveText(const std::filesystem::path& path, const std::u16string& text, bool append,
              TextEncoding& encoding, TextEncoding defaultEncoding);

}  // namespace mTextUTF
