#pragma once
// Every path of the program folder and of the run's work directory, in one place: no
// other code joins paths.
//
// A program folder that holds a writable temp/ keeps its runs and books beside the program
// (a portable folder); any other (an installed package, a read-only mount) keeps only its
// templates there, and puts runs under $XDG_STATE_HOME/velmora/ and books in Velmora/ of
// the user's documents folder.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class RunLayout {
public:
    // `appDir` may be relative to the current folder.
    explicit RunLayout(const std::filesystem::path& appDir);

    const std::filesystem::path& AppDir() const { return appDir_; }
    // The folders for runs and books when they are the user's own, which a start creates;
    // none for a portable folder.
    std::vector<std::filesystem::path> UserFolders() const;
    // template/<relative>
    std::filesystem::path Template(std::string_view relative) const;
    // temp/, where every run has its folder.
    const std::filesystem::path& RunsFolder() const { return runs_; }
    // temp/<name>
    std::filesystem::path RunFolder(std::string_view name) const;
    // finished/, ending in a separator.
    std::filesystem::path FinishedFolder() const;
    // finished/<title>.epub
    std::filesystem::path BookPath(std::u16string_view title = u"我的歌词本") const;
    // "<title>.epub", as a file can be named: "/", NUL and a leading "." as "_", the title
    // cut (on a character's boundary) to 200 bytes.
    static std::string BookFileName(std::u16string_view title);
    // 7za beside the program.
    std::filesystem::path Archiver() const;
    // Where the save-path box asks for a copy of the book: a relative path is taken in
    // finished/, one starting with "~/" in the home folder; a folder (one that exists, or
    // a path ending in "/") gets the book's own file name, a name without an extension
    // ".epub". Empty when the box is empty.
    std::filesystem::path SavePlace(std::u16string_view box,
                                    std::u16string_view title = u"我的歌词本") const;

    // Set once the work directory exists; kept ending in a separator.
    void SetWorkDir(const std::filesystem::path& workDir) { workDir_ = workDir / ""; }

    const std::filesystem::path& WorkDir() const { return workDir_; }
    // The same layout for another run's work directory.
    RunLayout ForRun(const std::filesystem::path& runFolder) const;
    // The work directory and its epub tree, each folder after its parent.
    std::vector<std::filesystem::path> Folders() const;
    std::filesystem::path SongLog() const;
    // What became of the run's songs, and the window's boxes as they stood.
    std::filesystem::path Marks() const;
    std::filesystem::path Boxes() const;
    // The cover of a book brought back in, kept for the cover box.
    std::filesystem::path ImportedCover() const;
    // epub/<relative>
    std::filesystem::path Epub(std::string_view relative = {}) const;
    // epub/text/<page file name>
    std::filesystem::path Page(std::string_view fileName) const;
    // Where a page the collection lets go of waits until the change is made: a name that
    // is no page's and goes into no book.
    std::filesystem::path SetAside(const std::filesystem::path& page) const;
    // Whether a file of the epub tree is one a change or a write left behind (set aside,
    // or half written), never one of the book's.
    static bool IsLeftOver(const std::filesystem::path& file);
    // The archiver's scratch folder: its inputs, and the archive until it is finished.
    std::filesystem::path PackFolder() const;
    // In the scratch folder: the list of entries, mimetype under a name that sorts first,
    // and the archive.
    std::filesystem::path PackEntryList() const;
    std::filesystem::path PackMimetype() const;
    std::filesystem::path PackArchive() const;

private:
    std::filesystem::path appDir_;
    std::filesystem::path runs_;
    std::filesystem::path finished_;
    bool userFolders_ = false;
    std::filesystem::path workDir_;
};

}  // namespace velmora
