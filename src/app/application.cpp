#include "app/application.h"

#include "app/book_script.h"
#include "app/conversion.h"
#include "cover/cover_drawing.h"
#include "cover/cover_image.h"
#include "import/book_reader.h"
#include "import/importer.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/local_addresses.h"
#include "share/book_address.h"
#include "text/limits.h"
#include "text/template_copy.h"
#include "text/text_files.h"

namespace {

namespace fs = std::filesystem;

// The template's own cover: a book that carries it has no cover of the user's.
std::string TemplateCover(const velmora::RunLayout& layout) {
    velmora::FileContent content =
        velmora::ReadWholeFile(layout.Template("cover.jpeg"), velmora::kLargestTemplate);
    return std::move(content.bytes);
}

// The songs in a book (-1 when it cannot be read as one of ours) and when it was made.
std::pair<int, std::u16string> SummaryOf(const fs::path& book) {
    const velmora::FileContent content = velmora::ReadWholeFile(book, velmora::kLargestBook);
    try {
        if (content) {
            const velmora::Book read = velmora::ReadBook(content.bytes);
            return {static_cast<int>(read.songs.size()), read.date};
        }
    } catch (const velmora::Failure&) {
    }
    return {-1, {}};
}

}  // namespace

Application::Application(const fs::path& appDir, const velmora::Clock& clock, QObject* parent)
    : QObject(parent),
      clock_(clock),
      run_(appDir, clock),
      model_(run_.Songs(), [this](int from, int to) { return history_.Move(from, to).Made(); }),
      history_(run_),
      builds_(run_, clock),
      imports_(run_, history_),
      opener_([this](const QString& path) { emit openFailed(path); }) {
    run_.SetObserver(&model_);
    connect(&history_, &ChangeHistory::changed, this, &Application::Changed);
    connect(&builds_, &BuildController::finished, this, &Application::Finished);
}

fs::path Application::BookPath(const std::u16string& title) const {
    return run_.Layout().BookPath(title);
}

fs::path Application::PdfPath(const std::u16string& title) const {
    return fs::path(BookPath(title)).replace_extension(".pdf");
}

velmora::Songbook Application::ToPrint(const velmora::RunBoxes& boxes) const {
    velmora::BookInfo book{boxes.title, boxes.author};
    if (!book.IsDefault()) {
        book.script = ScriptOfBook(book.title, run_.Songs());
    }
    std::optional<std::string> cover = CoverJpeg(QString::fromStdU16String(boxes.cover));
    if (!book.IsDefault()) {
        cover = NamedBookCover(book.title, book.author, cover, book.script);
    }
    return {
        book, run_.Songs(),
        cover ? std::move(*cover) : velmora::TemplateBytes(run_.Layout().Template("cover.jpeg")),
        clock_.LocalSeconds()};
}

std::optional<CommandError> Application::Load() {
    std::optional<CommandError> error = Attempt([this] { run_.ReadyToMake(); });
    if (!error) {
        earlierError_ = Attempt([this] { unbuilt_ = velmora::FindUnbuiltRun(run_.Layout()); });
    }
    return error;
}

std::optional<Application::Unbuilt> Application::UnbuiltSongs() const {
    if (!unbuilt_) {
        return std::nullopt;
    }
    const auto notInBook = unbuilt_->notInBook;
    return Unbuilt{static_cast<int>(unbuilt_->songs.size()),
                   notInBook ? std::optional(static_cast<int>(*notInBook)) : std::nullopt,
                   static_cast<int>(unbuilt_->unreadable), unbuilt_->typed};
}

Application::Restored Application::Restore(bool wanted) {
    if (!unbuilt_) {
        return {};
    }
    const velmora::UnbuiltRun earlier = *std::move(unbuilt_);
    unbuilt_.reset();
    const velmora::RunLayout old = run_.Layout().ForRun(earlier.folder);
    if (wanted) {
        // Not taken when it fails: the next start offers it again.
        if (auto error = Attempt([&] { run_.AddSongs(1, earlier.songs); })) {
            return {std::nullopt, std::move(error)};
        }
    }
    velmora::MarkTaken(old);
    if (!wanted) {
        return {};
    }
    if (earlier.boxes) {
        KeepBoxes(*earlier.boxes);
    }
    return {earlier.boxes, std::nullopt};
}

void Application::KeepBoxes(const velmora::RunBoxes& boxes) {
    // A help for a restore, no more: a disk too full for it says so at the next change.
    Attempt([&] { velmora::SaveRunBoxes(run_.Layout(), boxes); });
}

void Application::Confirmed(const velmora::RunBoxes& boxes) {
    mayReplace_.insert(run_.Layout().SavePlace(boxes.savePlace, boxes.title));
}

BuildCheck Application::CheckBuild(const velmora::RunBoxes& boxes) const {
    const velmora::BookInfo book{boxes.title, boxes.author};
    BuildCheck check;
    check.facts.running = builds_.Running();
    check.facts.hasTitle = book.HasTitle();
    check.facts.songs = SongCount();
    if (check.facts.running || !check.facts.hasTitle) {
        check.plan = PlanBuild(check.facts);
        return check;
    }
    check.savePlace = run_.Layout().SavePlace(boxes.savePlace, book.title);
    const fs::path made = BookPath(book.title);
    const bool mine = mayReplace_.contains(made);
    if ((check.facts.songs == 0 || !mine) && velmora::Exists(made)) {
        const auto [songs, date] = SummaryOf(made);
        check.facts.songsInBook = check.facts.songs == 0 ? songs : 0;
        if (!mine) {
            check.facts.earlierBook = songs;
            check.earlierBookDate = date;
        }
    }
    const fs::path& place = check.savePlace;
    check.facts.foreignFileAtSavePlace = !place.empty() && velmora::Exists(place) &&
                                         !velmora::SameFile(place, made) &&
                                         !mayReplace_.contains(place);
    check.facts.saveFolderMissing = !place.empty() && !velmora::Exists(place.parent_path());
    check.plan = PlanBuild(check.facts);
    return check;
}

std::optional<CommandError> Application::Build(const velmora::RunBoxes& boxes,
                                               const BuildCheck& check) {
    if (check.facts.saveFolderMissing) {
        const fs::path folder = check.savePlace.parent_path();
        if (auto error = Attempt([&] {
                if (const int made = velmora::MakeDirectories(folder)) {
                    throw velmora::Failure(velmora::Problem::CannotSaveBook, folder, made);
                }
            })) {
            return error;
        }
    }
    if (check.facts.foreignFileAtSavePlace) {
        mayReplace_.insert(check.savePlace);
    }
    KeepBoxes(boxes);
    velmora::BookInfo book{boxes.title, boxes.author};
    if (!book.IsDefault()) {
        book.script = ScriptOfBook(book.title, run_.Songs());
    }
    const QString coverBox = QString::fromStdU16String(boxes.cover);
    const auto cover = [coverBox, book]() -> std::optional<std::string> {
        std::optional<std::string> chosen = CoverJpeg(coverBox);
        return book.IsDefault() ? chosen
                                : NamedBookCover(book.title, book.author, chosen, book.script);
    };
    builds_.Start({cover, check.savePlace, book});
    return std::nullopt;
}

std::u16string Application::NewBookTitle(const std::u16string& title) const {
    std::u16string proposed;
    for (int number = 2; proposed.empty() || velmora::Exists(BookPath(proposed)); ++number) {
        const std::string suffix = " (" + std::to_string(number) + ")";
        proposed = title + std::u16string(suffix.begin(), suffix.end());
    }
    return proposed;
}

velmora::RunBoxes Application::AsNewBook(velmora::RunBoxes boxes,
                                         const std::u16string& title) const {
    const velmora::RunLayout& layout = run_.Layout();
    const fs::path place = layout.SavePlace(boxes.savePlace, boxes.title);
    if (!place.empty() && place == layout.SavePlace(boxes.savePlace, title)) {
        boxes.savePlace = velmora::PathText(place.parent_path() / "");
    }
    boxes.title = title;
    return boxes;
}

void Application::Finished(const velmora::BuildResult& result) {
    builtAt_ = result.journalLength;
    mayReplace_.insert(result.book);
    if (!result.copy.empty()) {
        mayReplace_.insert(result.copy);
    }
    emit built(result);
    Changed();
}

void Application::Changed() {
    if (builtAt_ && !builds_.Running() && run_.JournalLength() > *builtAt_) {
        emit unbuiltChanges();
    }
}

ImportOutcome Application::Import(const std::vector<fs::path>& paths,
                                  velmora::ImportProgress& progress,
                                  const velmora::RunBoxes& boxes) {
    // Files dropped while every song is being converted wait for nothing: the songs are read
    // by the conversion's threads.
    if (paths.empty() || converting_) {
        return {};
    }
    const bool whole = BringsBookBackWhole(SongCount(), boxes);
    ImportOutcome outcome = imports_.Run(paths, progress);
    if (whole && outcome.report.firstBook) {
        CameBack(*outcome.report.firstBook, outcome);
    }
    return outcome;
}

void Application::CameBack(const velmora::Book& book, ImportOutcome& outcome) {
    outcome.error = Attempt([&] { outcome.cameBack = BoxesOf(book); });
}

velmora::RunBoxes Application::BoxesOf(const velmora::Book& book) {
    velmora::RunBoxes boxes{kCoverBoxStart, {}, book.title, book.author, {}, {}, {}};
    if (!book.cover.empty() && book.cover != TemplateCover(run_.Layout()) &&
        !IsDrawnCover(book.cover)) {
        velmora::SaveBytes(run_.Layout().ImportedCover(), book.cover);
        boxes.cover = velmora::PathText(run_.Layout().ImportedCover());
    }
    return boxes;
}

bool Application::HasUnbuiltSongs() const {
    return SongCount() > 0 && (!builtAt_ || run_.JournalLength() > *builtAt_);
}

Application::Opened Application::OpenBook(const fs::path& book, velmora::RunBoxes now,
                                          const std::u16string& savePlace, const QString& name) {
    velmora::Book read;
    velmora::RunBoxes after;
    Opened opened;
    opened.error = Attempt([&] {
        read = velmora::ReadBookFile(book);
        after = BoxesOf(read);
    });
    if (opened.error) {
        return opened;
    }
    // The typed song stays as it is typed, whichever way the change goes.
    now.name.clear();
    now.artist.clear();
    now.lyric.clear();
    after.savePlace = savePlace.empty() ? now.savePlace : savePlace;
    if (!history_.Replace(std::move(read.songs), std::move(now), after, name).Made()) {
        return opened;
    }
    // The list is that book now: built again, it replaces it (and its copy) unasked, and the
    // next start has nothing of it to offer.
    const fs::path made = BookPath(after.title);
    if (velmora::SameFile(book, made)) {
        mayReplace_.insert(made);
        if (!savePlace.empty()) {
            mayReplace_.insert(run_.Layout().SavePlace(savePlace, after.title));
        }
    }
    builtAt_ = run_.JournalLength();
    velmora::MarkBuilt(run_.Layout(), velmora::PrintOf(run_.Songs()));
    opened.boxes = std::move(after);
    return opened;
}

ScriptChange Application::ConvertAll(velmora::ScriptForm to, const QString& name,
                                     velmora::ImportProgress& progress,
                                     const velmora::RunBoxes& boxes) {
    std::vector<std::pair<int, velmora::Song>> edits;
    velmora::RunBoxes converted = boxes;
    ScriptChange change;
    converting_ = true;
    change.outcome.error = Attempt([&] {
        const velmora::ScriptConversion convert(to);
        converted.title = convert(boxes.title);
        converted.author = convert(boxes.author);
        edits = Converted(run_.Songs(), to, progress);
    });
    converting_ = false;
    const bool boxesChanged = converted.title != boxes.title || converted.author != boxes.author;
    if (change.outcome.error || (edits.empty() && !boxesChanged)) {
        return change;
    }
    change.songs = static_cast<int>(edits.size());
    change.tried = true;
    std::optional<std::pair<velmora::RunBoxes, velmora::RunBoxes>> before;
    if (boxesChanged) {
        before.emplace(boxes, converted);
    }
    // Then written, a page at a time, the progress told on.
    change.outcome = history_.EditAll(
        std::move(edits), name,
        [&progress](std::size_t done, std::size_t total) { return progress.Going(done, total); },
        std::move(before));
    if (change.outcome.Made() && boxesChanged) {
        change.boxes = converted;
    }
    return change;
}

ShareOffer Application::Share(const std::u16string& title) const {
    const fs::path book = BookPath(title);
    // Said even where there is no address to serve it at.
    if (!velmora::Exists(book)) {
        throw velmora::Failure(velmora::Problem::CannotServe, book, ENOENT);
    }
    return {book, velmora::LanAddressesFirst(velmora::LocalIpv4Addresses())};
}
