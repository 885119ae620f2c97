#include "epub/artist_index.h"

#include <unicode/alphaindex.h>

#include <map>
#include <stdexcept>

namespace velmora {
namespace {

void Check(UErrorCode status) {
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("ICU: ") + u_errorName(status));
    }
}

using Entry = std::pair<const std::u16string, std::vector<int>>;

icu::UnicodeString Unicode(const std::u16string& text) {
    return icu::UnicodeString(text.data(), static_cast<std::int32_t>(text.size()));
}

}  // namespace

std::vector<IndexLetter> ArtistIndex(const SongCollection& songs) {
    std::map<std::u16string, std::vector<int>> byArtist;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        if (!songs.At(n).artist.empty()) {
            byArtist[songs.At(n).artist].push_back(n);
        }
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::AlphabeticIndex index(icu::Locale::getChinese(), status);
    index.addLabels(icu::Locale::getEnglish(), status);
    Check(status);
    for (auto& entry : byArtist) {
        index.addRecord(Unicode(entry.first), &entry, status);
    }
    Check(status);
    std::vector<IndexLetter> letters;
    // Digits, kana and the like go together after the letters.
    IndexLetter other{u"#", {}};
    while (index.nextBucket(status)) {
        const icu::UnicodeString& label = index.getBucketLabel();
        const bool letter = index.getBucketLabelType() == U_ALPHAINDEX_NORMAL;
        IndexLetter& found = letter ? letters.emplace_back(IndexLetter{
                                          std::u16string(label.getBuffer(), label.length()), {}})
                                    : other;
        while (index.nextRecord(status)) {
            const auto* entry = static_cast<const Entry*>(index.getRecordData());
            found.artists.push_back({entry->first, entry->second});
        }
        if (letter && found.artists.empty()) {
            letters.pop_back();
        }
    }
    if (!other.artists.empty()) {
        letters.push_back(std::move(other));
    }
    Check(status);
    return letters;
}

}  // namespace velmora
