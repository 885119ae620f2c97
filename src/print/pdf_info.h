#pragma once
// A PDF's document information given its author too: Qt's writer sets only the title and
// the creator.

#include <QByteArray>
#include <QString>

namespace velmora {

// The PDF with its information dictionary again, the author added, as an incremental update
// (ISO 32000-1, 7.5.6): its bytes stay as they are, followed by the new dictionary, its cross
// reference and a trailer pointing back. A PDF not laid out as Qt writes one comes back as
// it is.
QByteArray WithAuthor(const QByteArray& pdf, const QString& author);

}  // namespace velmora
