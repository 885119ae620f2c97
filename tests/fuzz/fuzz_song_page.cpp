// Feeds arbitrary UTF-16 names, artists, lyrics and credits through the page composer: every page
// must be well-formed XML, whatever the user typed.

#include <libxml/parser.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/template_copy.h"
#include "text/text_files.h"
#include "workspace/song_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string head =
        velmora::PageHead(velmora::TemplateLine(VELMORA_TEMPLATE_DIR "/text/part0000.html"));
    if (size < 1) {
        return 0;
    }
    std::u16string units;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    // The first byte cuts the units into name, artist and lyric; the lyric is the credits too.
    const std::size_t split = units.empty() ? 0 : data[0] % (units.size() + 1);
    const std::size_t artist = split / 2;
    const std::u16string_view all(units);
    const std::string bytes = velmora::ComposeSongPage(
        head,
        {std::u16string(all.substr(0, artist)), std::u16string(all.substr(split)),
         std::u16string(all.substr(artist, split - artist)), std::u16string(all.substr(split))});

    xmlDoc* doc = xmlReadMemory(bytes.data() + 3, static_cast<int>(bytes.size() - 3), nullptr,
                                nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc == nullptr) {
        std::abort();
    }
    xmlFreeDoc(doc);
    return 0;
}
