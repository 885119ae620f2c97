#pragma once
// A recording fake of the window's status label, and a waiting loop for builds.

#include <string>
#include <vector>

#include "epub/book_maker.h"
#include "epub/build_view.h"
#include "support/bytes.h"

namespace velmora::testing {

class FakeBuildView : public BuildView {
public:
    void showMessage(const std::u16string& text, const std::u16string& title) override {
        messages.showMessage(text, title);
    }
    void setStatus(const std::u16string& text) override { statuses.push_back(text); }

    RecordingMessages messages;
    std::vector<std::u16string> statuses;
};

// Polls the build as the window's timer would, until it has ended. Raises its Failure.
void WaitForBuild(BookMaker& maker);

// Builds to the end: the failure's message, or "" when the book was made.
std::u16string BuildToEnd(BookMaker& maker);

}  // namespace velmora::testing
