#pragma once
// The song log lyric.txt in the work directory: one record per added song, ANSI text,
// written only.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// "<songno=n><songname=name><lyric=lyric></song no = n>", name and lyric as typed.
std::u16string SongLogRecord(int songNumber, std::u16string_view name, std::u16string_view lyric);

class SongLog {
public:
    explicit SongLog(std::filesystem::path path);

    // Creates the log empty (truncating one that exists). Raises a Failure.
    void Create();
    // Appends one record as a printed line. Raises a Failure; the log is then unchanged.
    void Append(int songNumber, std::u16string_view name, std::u16string_view lyric);
    // Takes back the record of the last successful Append (a song whose page failed).
    void TakeBack();

private:
    std::filesystem::path path_;
    std::optional<std::uint64_t> lengthBefore_;
};

}  // namespace velmora
