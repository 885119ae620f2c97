#pragma once
// TagLib's strings as the program's text: held to a lyric's length before they are copied,
// made well formed, a name put on one line. The values of every kind of tag go through here.

#include <taglib/tstring.h>

#include <string>

namespace velmora {

// TagLib has made its string by now, but the copies are held to a lyric's size: a tag of text
// costs TagLib four bytes a character and would cost as much again here.
// Failure(LyricTooLong) past kLongestLyric.
void CheckLength(const TagLib::String& text);

// TagLib keeps UTF-16 units in its wide strings, whatever the width of wchar_t. Checked as
// CheckLength checks; lone surrogates as U+FFFD.
std::u16string Units(const TagLib::String& text);

// A name on one line, without blanks around it.
std::u16string OneLine(std::u16string text);

}  // namespace velmora
