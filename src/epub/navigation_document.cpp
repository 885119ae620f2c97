#include "epub/navigation_document.h"

#include "epub/page_reference.h"
#include "text/lines.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"

namespace velmora {

void WriteNavigationDocument(const Workspace& run, MessageSink& messages) {
    const auto target = run.WorkDir() / "epub" / "toc.ncx";
    Lines out;
    out.line(u"<docTitle>", 1)
        .line(u"<text>我的歌词本</text>", 2)
        .line(u"</docTitle>", 1)
        .line(u"<navMap>", 1);
    for (int n = 1; n <= run.SongCount(); ++n) {
        const std::u16string number = Decimal(n);
        out.line(u"<navPoint class=\"chapter\" id= \"num_" + number + u"\" playOrder = \"" +
                     number + u"\" > ",
                 2)
            .line(u"<navLabel>", 3)
            .line(u"<text>" + XmlText(run.SongNames()[static_cast<std::size_t>(n)]) + u"</text>", 4)
            .line(u"</navLabel>", 3)
            .line(u"<content src=\"" + PageHref(run, n) + u"\"/>", 3)
            .line(u"</navPoint>", 2);
    }
    out.line(u"</navMap>", 1).line(u"</ncx>", 0);
    // Template copy, line printing and re-encoding in one write: the same bytes.
    SaveUtf8File(target,
                 TemplateLine(run.AppDir() / "template" / "toc.ncx", messages) + out.text());
}

}  // namespace velmora
