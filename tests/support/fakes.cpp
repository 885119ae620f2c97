#include "support/fakes.h"

#include <unistd.h>

#include "text/failure.h"

namespace velmora::testing {

std::u16string FailureOf(const std::function<void()>& action) {
    try {
        action();
        return u"";
    } catch (const Failure& failure) {
        return failure.message();
    }
}

std::u16string BuildToEnd(BookMaker& maker) {
    return FailureOf([&] {
        maker.MakeBook();
        while (!maker.Poll()) {
            ::usleep(2000);
        }
    });
}

}  // namespace velmora::testing
