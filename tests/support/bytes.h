#pragma once
// Byte-level helpers for golden comparisons and fakes shared by the tests.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "text/message_sink.h"

namespace velmora::testing {

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// "EF BB BF" for hex-string test vectors; blanks are ignored.
std::string Hex(const std::string& spaced);

class RecordingMessages : public MessageSink {
public:
    void showMessage(const std::u16string& text, const std::u16string& title) override {
        shown.emplace_back(text, title);
    }
    std::vector<std::pair<std::u16string, std::u16string>> shown;
};

}  // namespace velmora::testing
