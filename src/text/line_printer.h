#pragma once
// Line printing: lines gathered in memory, then appended to a text file in the ANSI code
// page in one write, each line followed by CR LF. Nothing reaches the file before
// append(), so a failure while the lines are made leaves the file as it was.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

class LinePrinter {
public:
    explicit LinePrinter(std::filesystem::path path);

    // The line, after `tabs` tab characters, and CR LF.
    LinePrinter& line(std::u16string_view text, int tabs = 0);

    // Appends everything gathered (the file is created when missing). Raises a Failure
    // naming the path; a failed append leaves the file at its former length.
    void append();

private:
    std::filesystem::path path_;
    std::u16string lines_;
};

}  // namespace velmora
