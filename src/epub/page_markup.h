#pragma once
// The frame every page of a named book shares: XHTML 1.1 in UTF-8, its title, the book's
// one style sheet linked and nothing styled inline; and that style sheet.

#include <string>
#include <string_view>

namespace velmora {

// The page's bytes: the frame around `body` (its lines, each ending in a line feed), the
// body element of class `kind`. `root` leads from the page to the book's root: "" or "../";
// `language` is the book's (BookWords::language).
std::string XhtmlPage(std::u16string_view title, std::string_view kind, std::string_view body,
                      std::string_view root, std::string_view language);

// style.css: one font stack for Latin and Chinese, the spacing, centred headings, and no
// colours, so that a reader's night mode and its own font settings still hold.
std::string StyleSheet();

}  // namespace velmora
