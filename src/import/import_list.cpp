#include "import/import_list.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "import/audio_file.h"
#include "platform/file_system.h"
#include "text/natural_order.h"
#include "text/text_detection.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The first lyric file and the first audio file of each folder and name as one source, where
// the first of the two was.
std::vector<ImportSource> Paired(const std::vector<fs::path>& files) {
    const auto key = [](const fs::path& file) {
        return std::pair(file.parent_path(), file.stem());
    };
    std::map<std::pair<fs::path, fs::path>, std::pair<std::size_t, std::size_t>> stems;
    constexpr std::size_t kNone = SIZE_MAX;
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto& [side, audio] = stems.try_emplace(key(files[i]), kNone, kNone).first->second;
        if (AudioKindOf(files[i])) {
            audio = std::min(audio, i);
        } else if (IsLyricFile(files[i])) {
            side = std::min(side, i);
        }
    }
    std::vector<ImportSource> sources;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto [side, audio] = stems.at(key(files[i]));
        if (side == kNone || audio == kNone || (i != side && i != audio)) {
            sources.push_back({files[i]});
        } else if (i == std::min(side, audio)) {
            sources.push_back({files[side], files[audio]});
        }
    }
    return sources;
}

// A path as text, each of its names read on its own: a folder in UTF-8 may hold a file
// named in GB18030.
std::u16string PathAsText(const fs::path& path) {
    std::u16string text;
    for (const fs::path& name : path) {
        text.append(text.empty() ? u"" : u"/").append(DecodeFileName(name.string()));
    }
    return text;
}

}  // namespace

std::string Extension(const fs::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool IsLyricFile(const fs::path& file) {
    const std::string extension = Extension(file);
    return extension == ".lrc" || extension == ".txt";
}

bool IsImportable(const fs::path& file) {
    return IsLyricFile(file) || Extension(file) == ".epub" || AudioKindOf(file);
}

ImportList ImportFiles(const std::vector<fs::path>& given) {
    std::vector<fs::path> files;
    ImportList list;
    const NaturalOrder order;
    // Each name read once, then compared.
    const auto sorted = [&order](std::vector<fs::path>& found) {
        std::vector<std::pair<std::u16string, fs::path>> named;
        for (fs::path& file : found) {
            named.emplace_back(PathAsText(file), std::move(file));
        }
        std::sort(named.begin(), named.end(),
                  [&order](const auto& a, const auto& b) { return order(a.first, b.first); });
        for (std::size_t i = 0; i < found.size(); ++i) {
            found[i] = std::move(named[i].second);
        }
    };
    for (const fs::path& path : given) {
        if (!IsDirectory(path)) {
            files.push_back(path);
            continue;
        }
        FolderListing found = FilesBelow(path);
        for (const auto& [folder, error] : found.unreadable) {
            list.skipped.emplace_back(Problem::Unreadable, folder, error);
        }
        std::erase_if(found.files, [](const fs::path& file) { return !IsImportable(file); });
        sorted(found.files);
        files.insert(files.end(), found.files.begin(), found.files.end());
    }
    // A file named, and found again in a folder named, comes in once.
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    std::erase_if(files, [&seen](const fs::path& file) {
        const auto identity = FileIdentity(file);
        return identity && !seen.insert(*identity).second;
    });
    list.files = Paired(files);
    return list;
}

}  // namespace velmora
