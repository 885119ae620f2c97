#include "epub/book_info.h"

#include <nettle/sha1.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "text/code_page.h"

namespace velmora {
namespace {

// The program's namespace: uuid5(NAMESPACE_URL, "https://velmora.invalid/book").
constexpr std::array<std::uint8_t, 16> kNamespace = {
    0xe1, 0xa6, 0xfd, 0xaa, 0x57, 0xdd, 0x56, 0x46, 0xac, 0xe4, 0x3d, 0xfb, 0x7b, 0x5b, 0x56, 0x04};

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000' || c == u'\r' || c == u'\n';
}

// The title and author as one name, a NUL between them: no two pairs give the same one.
std::u16string Joined(std::u16string_view kind, const BookInfo& book) {
    std::u16string name(kind);
    name.append(1, u'\0').append(book.title).append(1, u'\0').append(book.author);
    return name;
}

}  // namespace

bool BookInfo::HasTitle() const {
    return !std::all_of(title.begin(), title.end(), IsBlank);
}

std::string NameUuid(std::u16string_view name) {
    const std::string bytes = codepage::ToUtf8(name);
    sha1_ctx context;
    sha1_init(&context);
    sha1_update(&context, kNamespace.size(), kNamespace.data());
    sha1_update(&context, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    std::array<std::uint8_t, SHA1_DIGEST_SIZE> digest{};
    sha1_digest(&context, digest.size(), digest.data());
    digest[6] = static_cast<std::uint8_t>((digest[6] & 0x0F) | 0x50);
    digest[8] = static_cast<std::uint8_t>((digest[8] & 0x3F) | 0x80);
    char text[37];
    std::snprintf(text, sizeof text,
                  "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", digest[0],
                  digest[1], digest[2], digest[3], digest[4], digest[5], digest[6], digest[7],
                  digest[8], digest[9], digest[10], digest[11], digest[12], digest[13], digest[14],
                  digest[15]);
    return text;
}

std::string BookUuid(const BookInfo& book) {
    return NameUuid(Joined(u"book", book));
}

std::string CalibreUuid(const BookInfo& book) {
    return NameUuid(Joined(u"calibre", book));
}

}  // namespace velmora
