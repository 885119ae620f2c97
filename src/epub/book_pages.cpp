#include "epub/book_pages.h"

#include <set>

#include "epub/package_document.h"

namespace velmora {

bool HasArtistIndex(const SongCollection& songs) {
    std::set<std::u16string> artists;
    for (int n = 1; n <= songs.SongCount() && artists.size() < 2; ++n) {
        if (!songs.At(n).artist.empty()) {
            artists.insert(songs.At(n).artist);
        }
    }
    return artists.size() >= 2;
}

std::vector<FrontPage> FrontPages(const SongCollection& songs) {
    std::vector<FrontPage> pages{{"title", "title.xhtml"}, {"contents", kContentsPage}};
    if (HasArtistIndex(songs)) {
        pages.push_back({"artists", kArtistIndexPage});
    }
    return pages;
}

std::string NamedSongHref(int n) {
    const std::string digits = std::to_string(n);
    return "songs/" + std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits +
           ".xhtml";
}

std::string SongHref(const SongCollection& songs, int n, const BookInfo& book) {
    return book.IsDefault() ? PageHref(songs, n) : NamedSongHref(n);
}

}  // namespace velmora
