// Feeds arbitrary bytes to the book reader: a broken, foreign or hostile archive must be
// refused with a Failure, never crash or inflate past the limits.

#include <cstdint>
#include <string_view>

#include "import/book_reader.h"
#include "text/failure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        velmora::ReadBook(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const velmora::Failure&) {
    }
    return 0;
}
