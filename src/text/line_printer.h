#pragma once
// Text built line by line, as the generated files are printed: each line its leading
// tabs, its text and CR LF.

#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora {

class LinePrinter {
public:
    // Lines go after `start`, with room made for `units` in all: a document prints
    // thousands of lines.
    explicit LinePrinter(std::u16string_view start = {}, std::size_t units = 0);

    LinePrinter& line(std::u16string_view text, int tabs = 0) { return line({text}, tabs); }
    // A line of several pieces, put together in place.
    LinePrinter& line(std::initializer_list<std::u16string_view> pieces, int tabs = 0);
    const std::u16string& text() const& { return text_; }
    std::u16string text() && { return std::move(text_); }

private:
    std::u16string text_;
};

}  // namespace velmora
