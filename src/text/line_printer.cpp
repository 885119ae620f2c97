#include "text/line_printer.h"

#include <algorithm>

namespace velmora {

LinePrinter::LinePrinter(std::u16string_view start, std::size_t units) {
    text_.reserve(std::max(units, start.size()));
    text_ = start;
}

LinePrinter& LinePrinter::line(std::initializer_list<std::u16string_view> pieces, int tabs) {
    text_.append(static_cast<std::size_t>(tabs), u'\t');
    for (const std::u16string_view piece : pieces) {
        text_ += piece;
    }
    text_ += u"\r\n";
    return *this;
}

}  // namespace velmora
