#include "print/songbook_layout.h"

#include "epub/artist_index.h"
#include "epub/book_pages.h"
#include "epub/book_words.h"
#include "epub/lyric_page.h"
#include "print/pagination.h"
#include "print/typesetter.h"
#include "workspace/song_collection.h"

namespace velmora {
namespace {

struct SetSong {
    std::vector<SetBlock> head;
    std::vector<std::vector<SetLine>> stanzas;
};

QString Text(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

QString Utf8Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A line of 目录 or 歌手索引: its text, and the page numbers at the right after dots.
struct Entry {
    std::vector<SetLine> lines;
    QString numbers;
    Face face = Face::Lyric;
};

class Composer {
public:
    Composer(const Songbook& songbook, const PrintOptions& options, PrintedBook& book,
             const QString& family)
        : songbook_(songbook),
          options_(options),
          words_(WordsOf(songbook.book.script)),
          book_(book),
          set_(book, options, family) {}

    void Compose() {
        book_.cover.loadFromData(reinterpret_cast<const uchar*>(songbook_.coverJpeg.data()),
                                 static_cast<int>(songbook_.coverJpeg.size()));
        book_.pages.push_back({true, {}, {}});
        TitlePage();
        const std::vector<SetSong> songs = SetSongs();
        std::vector<Entry> contents = ContentsEntries();
        const std::vector<int> contentsPages =
            FillPages(Heights(contents), HeadingHeight(), set_.Body());
        const int firstSongPage = 3 + (contents.empty() ? 1 : contentsPages.back() + 1);
        const Pagination pagination =
            Paginate(Measures(songs), Frame(), firstSongPage, options_.newPages);
        for (std::size_t s = 0; s < songs.size(); ++s) {
            book_.songPages.push_back(firstSongPage + pagination.starts[s]);
            contents[s].numbers = QString::number(book_.songPages.back());
        }
        EntryPages(Text(words_.contents), contents, contentsPages);
        SongPages(songs, pagination);
        if (HasArtistIndex(songbook_.songs)) {
            std::vector<Entry> index = IndexEntries();
            EntryPages(Text(words_.artists), index,
                       FillPages(Heights(index), HeadingHeight(), set_.Body()));
        }
    }

private:
    void TitlePage() {
        PrintedPage page;
        const double h = book_.page.height();
        set_.Centred(page, Text(songbook_.book.title), Face::Title, h * 0.3);
        set_.Centred(page, Text(songbook_.book.author), Face::Author, h * 0.45);
        const int count = songbook_.songs.SongCount();
        set_.Centred(page, Utf8Text(Filled(words_.count, {count})), Face::Artist, h * 0.7);
        set_.Centred(page, Utf8Text(DayOf(songbook_.localSeconds, words_)), Face::Artist,
                     h * 0.7 + set_.LineHeight(Face::Artist));
        book_.pages.push_back(std::move(page));
    }

    std::vector<SetSong> SetSongs() const {
        std::vector<SetSong> songs;
        songs.reserve(static_cast<std::size_t>(songbook_.songs.SongCount()));
        const double indent = 2 * set_.Em(Face::Lyric);
        for (int n = 1; n <= songbook_.songs.SongCount(); ++n) {
            const Song& song = songbook_.songs.At(n);
            SetSong set;
            set.head.push_back(set_.Block(Text(song.name), Face::Heading, true));
            if (!song.artist.empty()) {
                set.head.push_back(set_.Block(Text(song.artist), Face::Artist, true));
            }
            for (const auto& stanza : Stanzas(song.credits)) {
                for (const std::u16string_view line : stanza) {
                    set.head.push_back(set_.Block(Text(line), Face::Credits, true));
                }
            }
            for (const auto& stanza : Stanzas(song.lyric)) {
                std::vector<SetLine>& lines = set.stanzas.emplace_back();
                for (const std::u16string_view line : stanza) {
                    for (SetLine& printed :
                         set_.Set(Text(line), Face::Lyric, set_.Width(), indent)) {
                        lines.push_back(std::move(printed));
                    }
                }
            }
            songs.push_back(std::move(set));
        }
        return songs;
    }

    double HeadSpace() const { return set_.LineHeight(Face::Lyric) * 0.8; }

    std::vector<SongMeasure> Measures(const std::vector<SetSong>& songs) const {
        std::vector<SongMeasure> measures;
        measures.reserve(songs.size());
        const double line = set_.LineHeight(Face::Lyric);
        for (const SetSong& song : songs) {
            SongMeasure& measure = measures.emplace_back();
            measure.head = HeadSpace();
            for (const SetBlock& block : song.head) {
                measure.head += set_.Height(block);
            }
            for (const auto& stanza : song.stanzas) {
                measure.stanzas.emplace_back(stanza.size(), line);
            }
        }
        return measures;
    }

    PageFrame Frame() const {
        return {set_.Body(), set_.LineHeight(Face::Lyric) * 0.7,
                set_.LineHeight(Face::Small) * 1.6};
    }

    void SongPages(const std::vector<SetSong>& songs, const Pagination& pagination) {
        const double top = set_.Margin();
        for (const SongPage& songPage : pagination.pages) {
            PrintedPage& page = book_.pages.emplace_back();
            if (songPage.placed.empty()) {
                continue;  // left blank for the spread after it
            }
            if (songPage.runningHead) {
                const Song& song = songbook_.songs.At(songPage.continues + 1);
                set_.Centred(page, Text(song.name) + Text(words_.continued), Face::Small, top);
            }
            for (const Placed& placed : songPage.placed) {
                const SetSong& song = songs[static_cast<std::size_t>(placed.song)];
                double y = top + placed.y;
                if (placed.stanza == -1) {
                    for (const SetBlock& block : song.head) {
                        set_.EmitBlock(page, block, y);
                        y += set_.Height(block);
                    }
                    continue;
                }
                const auto& stanza = song.stanzas[static_cast<std::size_t>(placed.stanza)];
                for (int k = placed.firstLine; k < placed.endLine; ++k) {
                    set_.Emit(page, stanza[static_cast<std::size_t>(k)], Face::Lyric, set_.Margin(),
                              y);
                    y += set_.LineHeight(Face::Lyric);
                }
            }
            set_.Number(page, static_cast<int>(book_.pages.size()));
        }
    }

    double HeadingHeight() const { return set_.LineHeight(Face::Heading) + HeadSpace(); }

    // Room for the page numbers and the dots before them.
    double TextWidth(const QString& widest) const {
        return set_.Width() - set_.Advance(widest, Face::Lyric) - 3 * set_.Em(Face::Lyric);
    }

    std::vector<Entry> ContentsEntries() const {
        std::vector<Entry> entries;
        const double width = TextWidth(QStringLiteral("0000"));
        const double indent = set_.Em(Face::Lyric);
        for (int n = 1; n <= songbook_.songs.SongCount(); ++n) {
            const Song& song = songbook_.songs.At(n);
            QString text = Text(song.name);
            if (!song.artist.empty()) {
                text += QStringLiteral(" · ") + Text(song.artist);
            }
            entries.push_back({set_.Set(text, Face::Lyric, width, indent), {}, Face::Lyric});
        }
        return entries;
    }

    std::vector<Entry> IndexEntries() const {
        std::vector<Entry> entries;
        const double indent = set_.Em(Face::Lyric);
        for (const IndexLetter& letter : ArtistIndex(songbook_.songs)) {
            entries.push_back(
                {set_.Set(Text(letter.letter), Face::Letter, set_.Width(), 0), {}, Face::Letter});
            for (const IndexedArtist& artist : letter.artists) {
                QStringList numbers;
                int last = 0;
                for (const int song : artist.songs) {
                    const int page = book_.songPages[static_cast<std::size_t>(song - 1)];
                    if (page != last) {
                        numbers << QString::number(page);
                        last = page;
                    }
                }
                const QString joined = numbers.join(QStringLiteral(", "));
                const double width = set_.Width() - set_.Advance(joined, Face::Lyric) - 3 * indent;
                if (width > set_.Width() / 3) {
                    entries.push_back({set_.Set(Text(artist.name), Face::Lyric, width, indent),
                                       joined, Face::Lyric});
                    continue;
                }
                // Too many pages for one line: the numbers under the name, wrapped.
                std::vector<SetLine> lines =
                    set_.Set(Text(artist.name), Face::Lyric, set_.Width(), indent);
                for (SetLine& line : set_.Set(joined, Face::Lyric, set_.Width() - indent, 0)) {
                    line.indent = indent;
                    lines.push_back(std::move(line));
                }
                entries.push_back({std::move(lines), {}, Face::Lyric});
            }
        }
        return entries;
    }

    std::vector<double> Heights(const std::vector<Entry>& entries) const {
        std::vector<double> heights;
        for (const Entry& entry : entries) {
            heights.push_back(set_.LineHeight(entry.face) *
                              static_cast<double>(entry.lines.size()));
        }
        return heights;
    }

    void EntryPages(const QString& heading, const std::vector<Entry>& entries,
                    const std::vector<int>& pages) {
        const std::size_t first = book_.pages.size();
        book_.pages.emplace_back();
        set_.Centred(book_.pages.back(), heading, Face::Heading, set_.Margin());
        double y = set_.Margin() + HeadingHeight();
        for (std::size_t k = 0; k < entries.size(); ++k) {
            if (first + static_cast<std::size_t>(pages[k]) == book_.pages.size()) {
                book_.pages.emplace_back();
                y = set_.Margin();
            }
            y = EmitEntry(book_.pages.back(), entries[k], y);
        }
        for (std::size_t p = first; p < book_.pages.size(); ++p) {
            set_.Number(book_.pages[p], static_cast<int>(p + 1));
        }
    }

    double EmitEntry(PrintedPage& page, const Entry& entry, double y) const {
        for (const SetLine& line : entry.lines) {
            set_.Emit(page, line, entry.face, set_.Margin(), y);
            y += set_.LineHeight(entry.face);
        }
        if (!entry.numbers.isEmpty()) {
            const SetLine& last = entry.lines.back();
            const double right = set_.Margin() + set_.Width();
            const double numbers = right - set_.Advance(entry.numbers, Face::Lyric);
            const double baseline = page.texts.back().at.y();
            page.texts.push_back({{numbers, baseline}, entry.numbers, Face::Lyric});
            const double em = set_.Em(Face::Lyric);
            page.leaders.push_back(
                {{set_.Margin() + last.indent + last.width + em / 2, baseline}, numbers - em / 2});
        }
        return y;
    }

    const Songbook& songbook_;
    const PrintOptions& options_;
    const BookWords& words_;
    PrintedBook& book_;
    Typesetter set_;
};

}  // namespace

double Dots(double points) {
    return points * kDotsPerInch / 72;
}

double MillimetresToDots(double millimetres) {
    return millimetres * kDotsPerInch / 25.4;
}

PrintedBook LayOutSongbook(const Songbook& songbook, const PrintOptions& options,
                           const QString& family) {
    PrintedBook book;
    Composer(songbook, options, book, family).Compose();
    return book;
}

}  // namespace velmora
