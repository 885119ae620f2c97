#pragma once
// The one error type of the core: an operation that cannot go on raises a Failure that
// names the problem, the path it concerns and the system's reason (or the archiver's exit
// status, or the signal). The window words it; the core holds no message of its own.

#include <filesystem>
#include <stdexcept>
#include <string>

namespace velmora {

enum class Problem {
    // A file or folder of the run, the templates or the book; number(): the errno.
    CannotCreateFolder,
    CannotReadTemplate,  // number(): the errno, or 0 when it is no regular file or too large
    CannotWrite,
    CannotRemove,
    CannotSaveBook,
    // An earlier run's journal, which cannot be offered back; number(): the errno, or 0.
    EarlierRunUnreadable,
    // The archiver; path(): the archiver, or the archive it was writing.
    ArchiverMissing,
    CannotStart,        // number(): the errno
    ArchiverFailed,     // number(): its exit status; detail(): its error lines
    ArchiverKilled,     // number(): the signal
    ArchiverLost,       // number(): the errno of the wait
    ArchiveUnexpected,  // the archive it wrote is not laid out as it writes them

    // Printing the songbook: no installed font has Chinese; the PDF cannot be saved at path()
    // (number(): the errno).
    NoChineseFont,
    CannotSavePdf,
    // Handing the book to a phone; path(): the book; number(): the errno, 0 when unknown.
    CannotServe,
    // Converting the songs to the other script; path(): OpenCC's configuration; detail():
    // OpenCC's reason.
    CannotConvert,

    // The cover the user chose; detail(): the image reader's reason, where it gives one.
    CoverMissing,
    CoverNotAFile,
    CoverUnreadable,  // number(): the errno
    CoverTooLarge,
    CoverNotAnImage,
    CoverNotEncoded,
    // Why a file brought in gives no songs; path(): the file.
    NotImportable,
    NotRegularFile,
    Unreadable,  // number(): the errno
    TooLarge,
    Empty,
    NotText,
    NoLyric,
    LyricTooLong,
    AudioWithoutLyric,  // neither its tags nor a lyric file beside it hold one
    TagTooLarge,
    AudioBroken,  // its tags are cut short or not laid out as their format lays them out
    NotZip,
    ZipBroken,
    UnpacksTooLarge,
    ForeignBook,
    MissingEntry,    // detail(): the entry's name
    NotXml,          // detail(): the entry's name
    NotSongPage,     // detail(): the page's name
    PageTooComplex,  // more elements, or deeper, than a page of ours; detail(): its name
    SongWithoutText,
    TooManyPages,
    BookFull,
    BookPartlyIn,
    AlreadyInList,
    SomeInList,  // number(): how many of its songs were in the list
    OutOfMemory,
    Unexpected,  // detail(): what the program's own error said
    // The user cancelled, or the program is ending: no failure, an end. Stays last: the
    // tests word every problem up to it.
    Stopped,
};

class Failure : public std::runtime_error {
public:
    explicit Failure(Problem problem, std::filesystem::path path = {}, int number = 0,
                     std::string detail = {});

    Problem problem() const { return problem_; }
    const std::filesystem::path& path() const { return path_; }
    int number() const { return number_; }
    // UTF-8.
    const std::string& detail() const { return detail_; }

private:
    Problem problem_;
    std::filesystem::path path_;
    int number_;
    std::string detail_;
};

// A path as UTF-16 text, its bytes read as UTF-8.
std::u16string PathText(const std::filesystem::path& path);

}  // namespace velmora
