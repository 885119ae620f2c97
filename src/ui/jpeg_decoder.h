#pragma once
// JPEG files decoded whole by libjpeg, strictly: what libjpeg only warns about (a file cut
// short, a corrupt segment) is an error here, where an image reader would paint the rest
// grey. Large photos are decoded at 1/2, 1/4 or 1/8 of their size, as libjpeg can, so a
// 100-megapixel photo never takes its full size in memory.

#include <QByteArray>
#include <QImage>
#include <QString>

struct DecodedJpeg {
    QImage image;   // null on error
    QString error;  // libjpeg's own words
    QSize size;     // the stored size, before any scaling
};

// Scaled down only as far as the longer side stays at least `atLeast` pixels.
DecodedJpeg DecodeJpeg(const QByteArray& bytes, int atLeast);
