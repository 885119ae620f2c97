#pragma once
// A QR code as a picture a phone's camera reads from the screen.

#include <QImage>

class QByteArray;

// The code of `text` (error correction M), black on white with the four-module quiet zone
// the standard asks for, each module a square of whole pixels, at most `side` pixels
// across where the code fits in that. A null image when the text does not fit in a code.
QImage QrImage(const QByteArray& text, int side);
