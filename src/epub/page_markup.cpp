#include "epub/page_markup.h"

#include "epub/book_pages.h"
#include "text/xml_text.h"

namespace velmora {

std::string XhtmlPage(std::u16string_view title, std::string_view kind, std::string_view body,
                      std::string_view root, std::string_view language) {
    std::string page =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" "
        "\"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"";
    page.append(language).append(
        "\">\n<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"application/xhtml+xml; charset=utf-8\"/>\n"
        "<title>");
    page.reserve(page.size() + body.size() + 256);
    AppendXml(page, title);
    page.append("</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"")
        .append(root)
        .append(kStyleSheet)
        .append("\"/>\n</head>\n<body class=\"")
        .append(kind)
        .append("\">\n")
        .append(body)
        .append("</body>\n</html>\n");
    return page;
}

std::string StyleSheet() {
    // Sans throughout: the CJK families carry Latin letters of the same design, so a Latin
    // title does not come out in another face beside Chinese.
    return "body {\n"
           "  font-family: \"Noto Sans CJK SC\", \"Source Han Sans SC\", \"PingFang SC\",\n"
           "    \"Microsoft YaHei\", \"WenQuanYi Micro Hei\", sans-serif;\n"
           "  line-height: 1.8;\n"
           "  margin: 0 1em;\n"
           "}\n"
           "h1, h2, h3 { text-align: center; }\n"
           "h1 { font-size: 2em; margin: 25% 0 1em; }\n"
           "h2 { font-size: 1.5em; margin: 1em 0 0.5em; }\n"
           "h3 { font-size: 1em; margin: 1.5em 0 0.5em; }\n"
           "h3.artist { font-weight: normal; margin: 0; }\n"
           ".credits { text-align: center; font-size: 0.8em; margin: 0.5em 0 0; }\n"
           "p { margin: 0; }\n"
           ".stanza { text-align: center; margin-top: 2em; }\n"
           ".title p { text-align: center; margin-top: 0.5em; }\n"
           ".entry { margin-top: 0.4em; }\n"
           ".cover { margin: 0; padding: 0; text-align: center; }\n"
           "div.cover, svg { height: 100%; }\n";
}

}  // namespace velmora
