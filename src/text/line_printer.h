#pragma once
// Text built line by line, as the generated files are printed: each line its leading
// tabs, its text and CR LF.

#include <string>
#include <string_view>

namespace velmora {

class LinePrinter {
public:
    LinePrinter& line(std::u16string_view text, int tabs = 0);
    const std::u16string& text() const { return text_; }

private:
    std::u16string text_;
};

}  // namespace velmora
