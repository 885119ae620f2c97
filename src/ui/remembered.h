#pragma once
// What the next start remembers of the window, in the desktop's configuration folder
// (QSettings): the save-path and cover boxes as they were left, the window's place, and where
// the last import was chosen.

#include <QByteArray>
#include <QList>
#include <optional>

#include <QString>

#include "print/print_options.h"
#include "text/script_conversion.h"

namespace remembered {

QString SavePlace(const QString& otherwise);
QString Cover(const QString& otherwise);
void KeepBoxes(const QString& savePlace, const QString& cover);

QByteArray Geometry();
void KeepGeometry(const QByteArray& geometry);

// A book made, as 最近的书 lists it.
struct RecentBook {
    QString path;
    QString title;
    int songs = 0;
    QString made;  // yyyy-MM-dd
    QString savePlace;
};
// The last books made, the newest first.
QList<RecentBook> RecentBooks();
// Puts the book first (once), the oldest past ten going.
void KeepRecentBook(const RecentBook& book);

// The conversion 转换 made last; none before the first.
std::optional<velmora::ScriptForm> LastConversion();
void KeepLastConversion(velmora::ScriptForm form);

// 页面设置 as last confirmed; the defaults (A5, …) before.
velmora::PrintOptions PrintOptions();
void KeepPrintOptions(const velmora::PrintOptions& options);

// Empty before the first import.
QString ImportFolder();
void KeepImportFolder(const QString& folder);

}  // namespace remembered
