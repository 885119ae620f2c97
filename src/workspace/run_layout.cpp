#include "workspace/run_layout.h"

#include <algorithm>

#include "platform/file_name_rules.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/user_folders.h"
#include "text/code_page.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

// Of a title, the bytes that go into its book's file name: the name stays well within the
// 255 bytes a file system allows, with room for a copy's temporary name.
constexpr std::size_t kTitleBytes = 200;

// Characters that show nothing and change how the rest is shown: a name holding one (a
// right-to-left override) could read as another's.
bool Invisible(char16_t c) {
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

}  // namespace

std::string RunLayout::BookFileName(std::u16string_view title) {
    std::u16string shown(title);
    std::erase_if(shown, Invisible);
    std::string name = codepage::ToUtf8(shown);
    if (name.size() > kTitleBytes) {
        std::size_t cut = kTitleBytes;
        // Back to the start of a character: never half of one.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        name.resize(cut);
    }
    std::replace_if(name.begin(), name.end(), ForbiddenInFileName, '_');
    if (name.empty() || DeviceName(name)) {
        name.insert(0, 1, '_');
    }
    if (name.starts_with('.')) {
        name[0] = '_';
    }
    return name + ".epub";
}
RunLayout::RunLayout(const fs::path& appDir)
    : appDir_(Absolute(appDir)), runs_(appDir_ / "temp"), finished_(appDir_ / "finished") {
    if (!IsWritableFolder(runs_)) {
        runs_ = StateFolder();
        finished_ = DocumentsFolder() / "Velmora";
        userFolders_ = true;
    }
}

std::vector<fs::path> RunLayout::UserFolders() const {
    return userFolders_ ? std::vector<fs::path>{runs_, finished_} : std::vector<fs::path>{};
}

fs::path RunLayout::Template(std::string_view relative) const {
    return appDir_ / "template" / relative;
}

fs::path RunLayout::RunFolder(std::string_view name) const {
    return runs_ / name;
}

fs::path RunLayout::FinishedFolder() const {
    return finished_ / "";
}

fs::path RunLayout::BookPath(std::u16string_view title) const {
    return finished_ / PathFromText(BookFileName(title));
}

fs::path RunLayout::Archiver() const {
    return appDir_ / "7za";
}

fs::path RunLayout::SavePlace(std::u16string_view box, std::u16string_view title) const {
    if (box.empty()) {
        return {};
    }
    const std::string text = codepage::ToUtf8(box);
    fs::path place = PathFromText(text);
    if (text == "~" || text.starts_with("~/")) {
        place = HomeFolder() / PathFromText(text.substr(std::min<std::size_t>(2, text.size())));
    } else if (place.is_relative()) {
        place = finished_ / place;
    }
    if (IsDirectory(place) || !place.has_filename()) {
        return place / PathFromText(BookFileName(title));
    }
    if (!place.has_extension()) {
        place += ".epub";
    }
    return place;
}

RunLayout RunLayout::ForRun(const fs::path& runFolder) const {
    RunLayout other = *this;
    other.SetWorkDir(runFolder);

    return other;
}

std::vector<fs::path> RunLayout::Folders() const {
    return {workDir_, workDir_ / "epub", workDir_ / "epub" / "images", workDir_ / "epub" / "text",
            workDir_ / "epub" / "META-INF"};
}

fs::path RunLayout::SongLog() const {
    return workDir_ / "lyric.txt";
}

fs::path RunLayout::Marks() const {
    return workDir_ / "mark.txt";
}

fs::path RunLayout::Boxes() const {
    return workDir_ / "boxes.txt";
}

fs::path RunLayout::ImportedCover() const {
    return workDir_ / "cover.jpeg";
}

fs::path RunLayout::Epub(std::string_view relative) const {
    return workDir_ / "epub" / relative;
}

// One path made, not three joined: a page's path is made for every song written.
fs::path RunLayout::Page(std::string_view fileName) const {
    fs::path page = workDir_;
    page += "epub/text/";
    page += PathFromText(fileName);
    return page;
}

fs::path RunLayout::SetAside(const fs::path& page) const {
    std::string name = ".";
    name += page.filename().string();
    name += ".removed";
    return page.parent_path() / name;
}

bool RunLayout::IsLeftOver(const fs::path& file) {
    // Set-aside pages and the temporary files of a replace all start with a dot.
    return file.filename().string().starts_with(".");
}

fs::path RunLayout::PackFolder() const {
    return workDir_ / "pack";
}

fs::path RunLayout::PackEntryList() const {
    return PackFolder() / "entries.txt";
}

fs::path RunLayout::PackMimetype() const {
    // '!' sorts before every digit and letter, so this entry comes first; of the same length
    // as "mimetype", it is renamed where it stands.
    return PackFolder() / "!imetype";
}

fs::path RunLayout::PackArchive() const {
    return PackFolder() / "book.epub";
}

}  // namespace velmora
