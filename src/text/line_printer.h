#pragma once
// Text built line by line, as the generated files are printed: each line its leading
// tabs, its text and CR LF.

#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora {

class LinePrinter {
public:
    LinePrinter& line(std::u16string_view text, int tabs = 0) { return line({text}, tabs); }
    // A line of several pieces, put together in place: a document prints thousands.
    LinePrinter& line(std::initializer_list<std::u16string_view> pieces, int tabs = 0);
    void reserve(std::size_t units) { text_.reserve(units); }
    const std::u16string& text() const { return text_; }

private:
    std::u16string text_;
};

}  // namespace velmora
