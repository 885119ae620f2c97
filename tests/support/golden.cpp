#include "support/golden.h"

#include <filesystem>

#include "support/bytes.h"

namespace velmora::testing {

::testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& goldenName) {
    const std::filesystem::path golden = std::filesystem::path(VELMORA_TEST_DATA) / goldenName;
    if (std::filesystem::exists(golden) && ReadBytes(golden) == actual) {
        return ::testing::AssertionSuccess();
    }
    const std::filesystem::path kept =
        std::filesystem::current_path() / "golden-actual" / goldenName;
    std::filesystem::create_directories(kept.parent_path());
    WriteBytes(kept, actual);
    return ::testing::AssertionFailure()
           << "differs from " << golden << "; actual bytes in " << kept;
}

}  // namespace velmora::testing
