#include "epub/page_reference.h"

namespace velmora {

std::u16string PageHref(const Workspace& run, int songNumber) {
    const std::u16string& page = run.SongPages()[static_cast<std::size_t>(songNumber)];
    return u"text/" + page.substr(page.rfind(u'/') + 1);
}

}  // namespace velmora
