#pragma once
// Text made safe for XML character data.

#include <string>
#include <string_view>

namespace velmora {

// & < > escaped; every character XML 1.0 does not allow (C0 controls other than TAB, LF
// and CR, U+FFFE, U+FFFF, lone surrogates) written as U+FFFD.
std::u16string XmlText(std::u16string_view text);
// XmlText(text) in UTF-8, appended to `out`; with `breaks`, each carriage return goes in as
// "<br/>", the line feed after it kept: a lyric's lines as its page shows them.
void AppendXmlUtf8(std::string& out, std::u16string_view text, bool breaks = false);
// The same for an attribute's value in double quotes: quotes escaped too.
std::u16string XmlAttribute(std::u16string_view text);

// Decimal digits of a number, no leading zeros.
std::u16string Decimal(long long number);

}  // namespace velmora
