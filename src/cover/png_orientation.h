#pragma once
// The orientation a PNG's EXIF block (its eXIf chunk) records: Qt's PNG reader does not
// apply it, as its JPEG reader does.

#include <QByteArray>
#include <QImageIOHandler>

// None when the file has no EXIF block, or one without an orientation.
QImageIOHandler::Transformations PngOrientation(const QByteArray& png);
