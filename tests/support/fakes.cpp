#include "support/fakes.h"

#include <unistd.h>

#include "text/failure.h"

namespace velmora::testing {

std::u16string BuildToEnd(BookMaker& maker) {
    try {
        maker.MakeBook();
        while (!maker.Poll()) {
            ::usleep(2000);
        }
        return u"";
    } catch (const Failure& failure) {
        return failure.message();
    }
}

}  // namespace velmora::testing
