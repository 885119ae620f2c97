#include "ui/remembered.h"

#include <QSettings>

namespace remembered {
namespace {

const QString kCoverKey = QStringLiteral("cover");
const QString kSavePlaceKey = QStringLiteral("savePlace");
const QString kGeometryKey = QStringLiteral("geometry");
const QString kImportFolderKey = QStringLiteral("importFolder");
const QString kRecentKey = QStringLiteral("recentBooks");
const QString kConversionKey = QStringLiteral("lastConversion");
const QString kPrintKey = QStringLiteral("print/");
constexpr qsizetype kRecentBooks = 10;

}  // namespace

QString SavePlace(const QString& otherwise) {
    return QSettings().value(kSavePlaceKey, otherwise).toString();
}

QString Cover(const QString& otherwise) {
    return QSettings().value(kCoverKey, otherwise).toString();
}

void KeepBoxes(const QString& savePlace, const QString& cover) {
    QSettings settings;
    settings.setValue(kCoverKey, cover);
    settings.setValue(kSavePlaceKey, savePlace);
}

QByteArray Geometry() {
    return QSettings().value(kGeometryKey).toByteArray();
}

void KeepGeometry(const QByteArray& geometry) {
    QSettings().setValue(kGeometryKey, geometry);
}

QList<RecentBook> RecentBooks() {
    QSettings settings;
    QList<RecentBook> books;
    const int count = settings.beginReadArray(kRecentKey);
    for (int i = 0; i < count && books.size() < kRecentBooks; ++i) {
        settings.setArrayIndex(i);
        books.append({settings.value("path").toString(), settings.value("title").toString(),
                      settings.value("songs").toInt(), settings.value("made").toString(),
                      settings.value("savePlace").toString()});
    }
    settings.endArray();
    return books;
}

void KeepRecentBook(const RecentBook& book) {
    QList<RecentBook> books = RecentBooks();
    books.removeIf([&](const RecentBook& kept) { return kept.path == book.path; });
    books.prepend(book);
    QSettings settings;
    settings.beginWriteArray(kRecentKey, static_cast<int>(std::min(books.size(), kRecentBooks)));
    for (int i = 0; i < books.size() && i < kRecentBooks; ++i) {
        settings.setArrayIndex(i);
        settings.setValue("path", books[i].path);
        settings.setValue("title", books[i].title);
        settings.setValue("songs", books[i].songs);
        settings.setValue("made", books[i].made);
        settings.setValue("savePlace", books[i].savePlace);
    }
    settings.endArray();
}

std::optional<velmora::ScriptForm> LastConversion() {
    bool read = false;
    const int form = QSettings().value(kConversionKey).toInt(&read);
    if (!read || form < 0 || form > static_cast<int>(velmora::ScriptForm::Characters)) {
        return std::nullopt;
    }
    return static_cast<velmora::ScriptForm>(form);
}

void KeepLastConversion(velmora::ScriptForm form) {
    QSettings().setValue(kConversionKey, static_cast<int>(form));
}

velmora::PrintOptions PrintOptions() {
    QSettings settings;
    settings.beginGroup(kPrintKey);
    velmora::PrintOptions options;
    const int paper = settings.value("paper", 0).toInt();
    if (paper >= 0 && paper <= static_cast<int>(velmora::Paper::Letter)) {
        options.paper = static_cast<velmora::Paper>(paper);
    }
    // Out of the dialog's ranges (a hand-edited file): the default.
    const double margin = settings.value("margin", options.marginMm).toDouble();
    options.marginMm = margin >= 5 && margin <= 40 ? margin : options.marginMm;
    const double size = settings.value("lyricSize", options.lyricPoints).toDouble();
    options.lyricPoints = size >= 7 && size <= 24 ? size : options.lyricPoints;
    options.newPages = settings.value("newPages", options.newPages).toBool();
    options.booklet = settings.value("booklet", options.booklet).toBool();
    return options;
}

void KeepPrintOptions(const velmora::PrintOptions& options) {
    QSettings settings;
    settings.beginGroup(kPrintKey);
    settings.setValue("paper", static_cast<int>(options.paper));
    settings.setValue("margin", options.marginMm);
    settings.setValue("lyricSize", options.lyricPoints);
    settings.setValue("newPages", options.newPages);
    settings.setValue("booklet", options.booklet);
}

QString ImportFolder() {
    return QSettings().value(kImportFolderKey).toString();
}

void KeepImportFolder(const QString& folder) {
    QSettings().setValue(kImportFolderKey, folder);
}

}  // namespace remembered
