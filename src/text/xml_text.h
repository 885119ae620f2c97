#pragma once
// Text made safe for XML, in UTF-8.

#include <string>
#include <string_view>

namespace velmora {

// Where the text goes: character data; an attribute's value in double quotes; or a lyric's
// lines, each carriage return a line break.
enum class XmlPlace { Text, Attribute, Lines };

// The text appended to `out` in UTF-8: & < > escaped, and " too in an attribute; every
// character XML 1.0 does not allow (C0 controls other than TAB, LF and CR, U+FFFE, U+FFFF,
// lone surrogates) written as U+FFFD. As lines, each carriage return goes in as "<br/>",
// the line feed after it kept: a "<br/>" typed in the text stays text.
void AppendXml(std::string& out, std::u16string_view text, XmlPlace place = XmlPlace::Text);
// The same, on its own.
std::string Xml(std::u16string_view text, XmlPlace place = XmlPlace::Text);

}  // namespace velmora
