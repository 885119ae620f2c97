#pragma once
// Text built line by line, as the generated files are printed: each line its leading
// tabs, its text and CR LF, in UTF-8.

#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora {

class LinePrinter {
public:
    // Lines go after `start`, with room made for `bytes` in all: a document prints
    // thousands of lines.
    explicit LinePrinter(std::string_view start = {}, std::size_t bytes = 0);

    LinePrinter& line(std::string_view text, int tabs = 0) { return line({text}, tabs); }
    // A line of several pieces, put together in place.
    LinePrinter& line(std::initializer_list<std::string_view> pieces, int tabs = 0);
    const std::string& text() const& { return text_; }
    std::string text() && { return std::move(text_); }

private:
    std::string text_;
};

}  // namespace velmora
