#include "ui/remembered.h"

#include <QSettings>

namespace remembered {
namespace {

const QString kCoverKey = QStringLiteral("cover");
const QString kSavePlaceKey = QStringLiteral("savePlace");
const QString kGeometryKey = QStringLiteral("geometry");
const QString kImportFolderKey = QStringLiteral("importFolder");

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

QString ImportFolder() {
    return QSettings().value(kImportFolderKey).toString();
}

void KeepImportFolder(const QString& folder) {
    QSettings().setValue(kImportFolderKey, folder);
}

}  // namespace remembered
