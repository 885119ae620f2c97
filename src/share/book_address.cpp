#include "share/book_address.h"

#include <algorithm>
#include <array>

#include "platform/random_bytes.h"
#include "text/failure.h"

namespace velmora {

namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";

bool IsAsciiAlnum(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Every byte but `kept` (and letters and digits) as %XX.
std::string PercentEncoded(std::string_view text, std::string_view kept) {
    std::string out;
    out.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsAsciiAlnum(byte) || kept.find(c) != std::string_view::npos) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

// The unreserved characters of a URL (RFC 3986 §2.3).
constexpr std::string_view kUnreserved = "-._~";
// What a parameter value may hold unencoded (RFC 8187 attr-char).
constexpr std::string_view kAttrChar = "!#$&+-.^_`|~";

bool IsPrivate(std::uint32_t address) {
    return (address >> 24) == 10 || (address >> 20) == ((172u << 4) | 1u) ||
           (address >> 16) == ((192u << 8) | 168u);
}

}  // namespace

std::string NewUrlToken() {
    std::array<std::uint8_t, 16> bits{};
    if (const int error = RandomBytes(bits)) {
        throw Failure(Problem::CannotServe, {}, error);
    }
    return UrlToken(bits);
}

std::string UrlToken(std::span<const std::uint8_t> bytes) {
    constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string out;
    std::uint32_t bits = 0;
    int held = 0;
    for (const std::uint8_t byte : bytes) {
        bits = (bits << 8) | byte;
        held += 8;
        while (held >= 6) {
            held -= 6;
            out += kAlphabet[(bits >> held) & 0x3F];
        }
    }
    if (held > 0) {
        out += kAlphabet[(bits << (6 - held)) & 0x3F];
    }
    return out;
}

std::string BookUrlPath(std::string_view token, std::string_view fileName) {
    std::string path = "/";
    path += token;
    path += '/';
    path += fileName;
    return path;
}

std::string BookUrl(std::uint32_t host, std::uint16_t port, std::string_view token,
                    std::string_view fileName) {
    return "http://" + DottedQuad(host) + ':' + std::to_string(port) +
           BookUrlPath(token, PercentEncoded(fileName, kUnreserved));
}

std::string DottedQuad(std::uint32_t address) {
    return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFF) + '.' +
           std::to_string((address >> 8) & 0xFF) + '.' + std::to_string(address & 0xFF);
}

std::string ContentDisposition(std::string_view fileName) {
    std::string ascii;
    for (const char c : fileName) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80) {
            continue;  // the rest of a character already written as "_"
        }
        const bool plain = byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\';
        ascii += plain ? c : '_';
    }
    return "attachment; filename=\"" + ascii + "\"; filename*=UTF-8''" +
           PercentEncoded(fileName, kAttrChar);
}

std::vector<std::uint32_t> LanAddressesFirst(std::vector<std::uint32_t> addresses) {
    std::stable_partition(addresses.begin(), addresses.end(), IsPrivate);
    return addresses;
}

}  // namespace velmora
