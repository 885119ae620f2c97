#pragma once
// What the next start remembers of the window, in the desktop's configuration folder
// (QSettings): the save-path and cover boxes as they were left, the window's place, and where
// the last import was chosen.

#include <QByteArray>
#include <QString>

namespace remembered {

QString SavePlace(const QString& otherwise);
QString Cover(const QString& otherwise);
void KeepBoxes(const QString& savePlace, const QString& cover);

QByteArray Geometry();
void KeepGeometry(const QByteArray& geometry);

// Empty before the first import.
QString ImportFolder();
void KeepImportFolder(const QString& folder);

}  // namespace remembered
