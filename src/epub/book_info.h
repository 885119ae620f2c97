#pragma once
// The book as a reader sees it: its title and author, the identity that follows from them,
// and the name of its file.

#include <string>
#include <string_view>

#include "text/script_conversion.h"

namespace velmora {

inline constexpr char16_t kDefaultTitle[] = u"我的歌词本";
inline constexpr char16_t kDefaultAuthor[] = u"Velmora";

struct BookInfo {
    std::u16string title = kDefaultTitle;
    std::u16string author = kDefaultAuthor;
    // The script of its title and songs, which its own words follow (a named book's).
    Script script = Script::Simplified;

    // The book every build made before books had names: its documents stay as they were.
    bool IsDefault() const { return title == kDefaultTitle && author == kDefaultAuthor; }
    // A title of blanks only, or none, names no book.
    bool HasTitle() const;
    bool operator==(const BookInfo&) const = default;
};

// A name-based UUID (RFC 4122, version 5, SHA-1) of the name's UTF-8 in the program's own
// namespace: the same name always gives the same UUID, another name another.
std::string NameUuid(std::u16string_view name);

// The book's identifiers: the package's unique one, and calibre's. The same title and
// author keep them (a reader updates the book), any other gives others.
std::string BookUuid(const BookInfo& book);
std::string CalibreUuid(const BookInfo& book);

}  // namespace velmora
