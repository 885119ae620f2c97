#include "support/build_fakes.h"

#include <unistd.h>

#include "text/failure.h"

namespace velmora::testing {

void WaitForBuild(BookMaker& maker) {
    while (!maker.Poll()) {
        ::usleep(2000);
    }
}

std::u16string BuildToEnd(BookMaker& maker) {
    try {
        maker.MakeBook();
        WaitForBuild(maker);
        return u"";
    } catch (const Failure& failure) {
        return failure.message();
    }
}

}  // namespace velmora::testing
