#pragma once
// Fakes of what the core asks of the window and the system clock.

#include <cstdint>
#include <string>
#include <vector>

#include "support/bytes.h"
#include "workspace/clock.h"
#include "workspace/collection_view.h"

namespace velmora::testing {

class FixedClock : public Clock {
public:
    explicit FixedClock(std::int64_t now) : seconds(now) {}
    std::int64_t LocalSeconds() const override { return seconds; }
    std::int64_t seconds;
};

// 2024-01-01 00:00:00 local time.
inline constexpr std::int64_t kNewYear2024 = 1704067200;

class FakeView : public CollectionView {
public:
    void showMessage(const std::u16string& text, const std::u16string& title) override {
        messages.showMessage(text, title);
    }
    void appendListEntry(const std::u16string& entry) override { list.push_back(entry); }
    void emptyInputBoxes() override { ++emptied; }

    RecordingMessages messages;
    std::vector<std::u16string> list;
    int emptied = 0;
};

}  // namespace velmora::testing
