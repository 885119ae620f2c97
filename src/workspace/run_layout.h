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
    // temp/<name>
    std::filesystem::path RunFolder(std::string_view name) const;
    // finished/, ending in a separator.
    std::filesystem::path FinishedFolder() const;
    std::filesystem::path BookPath() const;
    // The book's own name in another folder.
    std::filesystem::path BookIn(const std::filesystem::path& folder) const;
    // 7za beside the program.
    std::filesystem::path Archiver() const;

    // Set once the work directory exists; ends in a separator.
    void SetWorkDir(std::filesystem::path workDir) { workDir_ = std::move(workDir); }
    const std::filesystem::path& WorkDir() const { return workDir_; }
    // The work directory and its epub tree, each folder after its parent.
    std::vector<std::filesystem::path> Folders() const;
    std::filesystem::path SongLog() const;
    // epub/<relative>
    std::filesystem::path Epub(std::string_view relative = {}) const;
    // epub/text/<page file name>
    std::filesystem::path Page(std::u16string_view fileName) const;
    // Where a page the collection lets go of waits until the change is made: a name that
    // is no page's and goes into no book.
    std::filesystem::path SetAside(const std::filesystem::path& page) const;
    // The archiver's scratch folder: its inputs, and the archive until it is finished.
    std::filesystem::path PackFolder() const;

private:
    std::filesystem::path appDir_;
    std::filesystem::path runs_;
    std::filesystem::path finished_;
    bool userFolders_ = false;
    std::filesystem::path workDir_;
};

}  // namespace velmora
