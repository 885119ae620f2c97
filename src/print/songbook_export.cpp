#include "print/songbook_export.h"

#include "platform/save_file.h"
#include "print/chinese_font.h"
#include "print/songbook_painter.h"
#include "text/failure.h"

namespace velmora {

QString SongbookFamily(const Songbook& songbook) {
    const std::optional<QString> family = ChineseFontFamily(songbook.book.script);
    if (!family) {
        throw Failure(Problem::NoChineseFont);
    }
    return *family;
}

void ExportSongbook(const Songbook& songbook, const PrintOptions& options,
                    const std::filesystem::path& path, const QString& creator) {
    const PrintedBook book = LayOutSongbook(songbook, options, SongbookFamily(songbook));
    const QByteArray pdf = SongbookPdf(book, options.booklet,
                                       {QString::fromStdU16String(songbook.book.title),
                                        QString::fromStdU16String(songbook.book.author), creator});
    SaveFile file(path);
    file.write(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (const int error = file.commit()) {
        throw Failure(Problem::CannotSavePdf, path, error);
    }
}

}  // namespace velmora
