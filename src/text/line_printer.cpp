#include "text/line_printer.h"

namespace velmora {

LinePrinter& LinePrinter::line(std::u16string_view text, int tabs) {
    text_.append(static_cast<std::size_t>(tabs), u'\t');
    text_ += text;
    text_ += u"\r\n";
    return *this;
}

}  // namespace velmora
