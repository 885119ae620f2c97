#include "text/line_printer.h"

#include <algorithm>

namespace velmora {

LinePrinter::LinePrinter(std::string_view start, std::size_t bytes) {
    text_.reserve(std::max(bytes, start.size()));
    text_ = start;
}

LinePrinter& LinePrinter::line(std::initializer_list<std::string_view> pieces, int tabs) {
    text_.append(static_cast<std::size_t>(tabs), '\t');
    for (const std::string_view piece : pieces) {
        text_ += piece;
    }
    text_ += "\r\n";
    return *this;
}

}  // namespace velmora
