// Feeds arbitrary UTF-16 names and lyrics through the page writer: every page must be
// well-formed XML, whatever the user typed.

#include <libxml/parser.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "workspace/song_page.h"

namespace {

namespace fs = std::filesystem;

class Silent : public velmora::MessageSink {
public:
    void showMessage(const std::u16string&, const std::u16string&) override { std::abort(); }
};

fs::path ProgramFolder() {
    std::string pattern = (fs::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    const fs::path app = pattern;
    fs::copy(VELMORA_TEMPLATE_DIR, app / "template", fs::copy_options::recursive);
    return app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path app = ProgramFolder();
    if (size < 1) {
        return 0;
    }
    std::u16string units;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    const std::size_t split = units.empty() ? 0 : data[0] % (units.size() + 1);
    Silent messages;
    const fs::path page = app / "part0001.html";
    velmora::WriteSongPage(app, page, std::u16string_view(units).substr(0, split),
                           std::u16string_view(units).substr(split), messages);
    std::ifstream in(page, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.rfind("\xEF\xBB\xBF", 0) != 0) {
        std::abort();
    }
    xmlDoc* doc = xmlReadMemory(bytes.data() + 3, static_cast<int>(bytes.size() - 3), nullptr,
                                nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc == nullptr) {
        std::abort();
    }
    xmlFreeDoc(doc);
    return 0;
}
