#include "print/pdf_info.h"

#include <optional>

namespace velmora {
namespace {

// The number after `key` in `text`, from `from` on.
std::optional<long long> NumberAfter(const QByteArray& text, const QByteArray& key,
                                     qsizetype from) {
    const qsizetype at = text.indexOf(key, from);
    if (at < 0) {
        return std::nullopt;
    }
    qsizetype end = at + key.size();
    while (end < text.size() && text[end] == ' ') {
        ++end;
    }
    const qsizetype digits = end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    bool read = false;
    const long long number = text.mid(digits, end - digits).toLongLong(&read);
    return read ? std::optional(number) : std::nullopt;
}

// A text string as PDF writes one in any script: UTF-16BE with its byte order mark, in hex.
QByteArray TextString(const QString& text) {
    QByteArray utf16("\xFE\xFF");
    for (const QChar c : text) {
        utf16.append(static_cast<char>(c.unicode() >> 8))
            .append(static_cast<char>(c.unicode() & 0xFF));
    }
    return '<' + utf16.toHex() + '>';
}

}  // namespace

QByteArray WithAuthor(const QByteArray& pdf, const QString& author) {
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (trailer < 0 || startxref < trailer) {
        return pdf;
    }
    const auto size = NumberAfter(pdf, "/Size", trailer);
    const auto info = NumberAfter(pdf, "/Info", trailer);
    const auto root = NumberAfter(pdf, "/Root", trailer);
    const auto previous = NumberAfter(pdf, "startxref\n", startxref);
    if (!size || !info || !root || !previous) {
        return pdf;
    }
    const qsizetype object = pdf.indexOf("\n" + QByteArray::number(*info) + " 0 obj");
    const qsizetype open = object < 0 ? -1 : pdf.indexOf("<<", object);
    const qsizetype close = open < 0 ? -1 : pdf.indexOf(">>", open);
    if (close < 0 || close > trailer) {
        return pdf;
    }
    QByteArray updated = pdf;
    if (!updated.endsWith('\n')) {
        updated += '\n';
    }
    const qsizetype position = updated.size();
    updated += QByteArray::number(*size) + " 0 obj\n<<\n/Author " + TextString(author) +
               pdf.mid(open + 2, close - open - 2) + ">>\nendobj\n";
    const qsizetype xref = updated.size();
    updated += "xref\n" + QByteArray::number(*size) + " 1\n" +
               QByteArray::number(position).rightJustified(10, '0') + " 00000 n \n";
    updated += "trailer\n<<\n/Size " + QByteArray::number(*size + 1) + "\n/Info " +
               QByteArray::number(*size) + " 0 R\n/Root " + QByteArray::number(*root) +
               " 0 R\n/Prev " + QByteArray::number(*previous) + "\n>>\nstartxref\n" +
               QByteArray::number(xref) + "\n%%EOF\n";
    return updated;
}

}  // namespace velmora
