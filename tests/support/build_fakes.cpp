#include "support/build_fakes.h"

#include <unistd.h>

namespace velmora::testing {

void WaitForBuild(BookMaker& maker) {
    while (!maker.Poll()) {
        ::usleep(2000);
    }
}

}  // namespace velmora::testing
