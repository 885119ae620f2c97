#pragma once
// epubcheck on a finished book, with the errors the fixed metadata lines of the package
// document are known to cause (epubcheck 4.2.6): the empty dc:identifier, dc:x-metadata,
// the date given as a stamp, and the empty tour.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace velmora::testing {

// Success when epubcheck ran and reported no fatal error and no error beyond those.
::testing::AssertionResult PassesEpubcheck(const std::filesystem::path& book);

}  // namespace velmora::testing
