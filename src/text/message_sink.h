#pragma once
// What the core asks the window to show: a modal message box with an OK button.

#include <string>

namespace velmora {

inline constexpr char16_t kAppTitle[] = u"Velmora";

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::u16string& text, const std::u16string& title) = 0;
};

}  // namespace velmora
