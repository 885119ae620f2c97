#pragma once
// JPEG files decoded whole by libjpeg, strictly: what libjpeg only warns about (a file cut
// short, a corrupt segment) is an error here, where an image reader would paint the rest
// grey. Large photos are decoded at 1/2, 1/4 or 1/8 of their size, as libjpeg can, so a
// 100-megapixel photo never takes its full size in memory. What a file declares is bounded
// before anything is allocated for it, and so are its scans and libjpeg's own memory: a
// hostile file ends in a moment, not after minutes and gigabytes.

#include <QByteArray>
#include <QImage>
#include <QString>

struct DecodedJpeg {
    QImage image;   // null on error
    QString error;  // libjpeg's own words
    QSize size;     // the stored size, before any scaling
    // It declares more pixels or scans, or needs more memory, than a cover may.
    bool tooLarge = false;
};

// Scaled down only as far as the longer side stays at least `atLeast` pixels.
DecodedJpeg DecodeJpeg(const QByteArray& bytes, int atLeast);
