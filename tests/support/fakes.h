#pragma once
// Fakes of the window and the clock, a run to test in, and a build driven as the window's
// timer drives it.

#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "epub/book_maker.h"
#include "platform/clock.h"
#include "support/files.h"
#include "text/failure.h"
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

using Message = std::pair<std::u16string, std::u16string>;  // text, title

class FakeView : public CollectionView, public BuildView {
public:
    void showMessage(const std::u16string& text, const std::u16string& title) override {
        messages.emplace_back(text, title);
    }
    void appendListEntry(const std::u16string& entry) override { list.push_back(entry); }
    void emptyInputBoxes() override { ++emptied; }
    void showListFrom(int n, const std::vector<std::u16string>& entries) override {
        list.resize(static_cast<std::size_t>(n - 1));
        list.insert(list.end(), entries.begin(), entries.end());
    }
    void selectListEntry(int) override {}
    void setStatus(const std::u16string& text) override { statuses.push_back(text); }

    std::vector<Message> messages;
    std::vector<std::u16string> list;
    int emptied = 0;
    std::vector<std::u16string> statuses;
};

// The Failure's message of `action`, or "" when it raised none.
inline std::u16string FailureOf(const std::function<void()>& action) {
    try {
        action();
        return u"";
    } catch (const Failure& failure) {
        return failure.message();
    }
}

// A program folder and a run in it, started on 2024-01-01, with a fake window.
class RunTest : public ::testing::Test {
public:
    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
};

// Builds to the end as the window's timer does: the Failure's message, or "".
inline std::u16string BuildToEnd(BookMaker& maker) {
    return FailureOf([&] {
        maker.MakeBook();
        while (!maker.Poll()) {
            ::usleep(2000);
        }
    });
}

}  // namespace velmora::testing
