#pragma once
// UTF-8, as the rest of the program holds text, and UTF-16, as Windows takes it.

#include <string>
#include <string_view>

namespace velmora {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace velmora
