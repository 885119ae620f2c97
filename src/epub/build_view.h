#pragma once
// What a build shows in the window: the status label and message boxes.

#include <string>

#include "text/message_sink.h"

namespace velmora {

class BuildView : public virtual MessageSink {
public:
    virtual void setStatus(const std::u16string& text) = 0;
};

}  // namespace velmora
