#pragma once
// A variable of the test's own environment set or cleared, on either system; children
// started afterwards inherit it.

#include <cstdlib>
#include <string>

namespace velmora::testing {

inline void SetEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
    ::_putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

inline void ClearEnvironment(const char* name) {
#ifdef _WIN32
    ::_putenv_s(name, "");  // an empty value removes it there
#else
    ::unsetenv(name);
#endif
}

}  // namespace velmora::testing
