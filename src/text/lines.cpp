#include "text/lines.h"

namespace velmora {

Lines& Lines::line(std::u16string_view text, int tabs) {
    text_.append(static_cast<std::size_t>(tabs), u'\t');
    text_ += text;
    text_ += u"\r\n";
    return *this;
}

}  // namespace velmora
