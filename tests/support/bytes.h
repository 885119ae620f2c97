#pragma once
// Files as bytes, for golden comparisons, and messages as the core shows them.

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

using Message = std::pair<std::u16string, std::u16string>;  // text, title

class RecordingMessages : public MessageSink {
public:
    void showMessage(const std::u16string& text, const std::u16string& title) override {
        shown.emplace_back(text, title);
    }
    std::vector<Message> shown;
};

}  // namespace velmora::testing
