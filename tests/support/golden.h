#pragma once
// Byte-exact comparison with a golden file in tests/data. On a mismatch the actual bytes
// are kept beside the test binary (golden-actual/) for a look with diff.

#include <string>

#include <gtest/gtest.h>

namespace velmora::testing {

::testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& goldenName);

}  // namespace velmora::testing
