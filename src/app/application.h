#pragma once
// The program's services, made by main and handed to the window: the run's workspace, the
// song list's model over it, the change history, the build, the import and the phone share,
// each a class of its own. The window calls in and listens to the signals; it words every
// outcome and makes every dialog. Nothing here shows anything.

#include <QObject>
#include <filesystem>
#include <optional>
#include <set>

#include "app/attempt.h"
#include "app/build_controller.h"
#include "app/change_history.h"
#include "app/decisions.h"
#include "app/desktop_opener.h"
#include "app/import_runner.h"
#include "app/song_list_model.h"
#include "print/songbook_layout.h"
#include "text/script_conversion.h"
#include "workspace/earlier_runs.h"
#include "workspace/workspace.h"

// What 开始制作 would do, for the window to ask about.
struct BuildCheck {
    BuildFacts facts;
    BuildPlan plan;
    std::filesystem::path savePlace;
    // When the book there was made, as it says (Book::date).
    std::u16string earlierBookDate;
    // The user chose to keep that book: this one is to be a new book, of a title of its own.
    bool asNewBook = false;
};

// What became of converting every song to one script: how many songs needed it, and whether
// a change was tried (not when nothing was to change, or the conversion could not be loaded,
// its error in the outcome), and the change. A change the history could not make it says
// itself (notMade).
struct ScriptChange {
    int songs = 0;
    bool tried = false;
    ChangeOutcome outcome;
    // The book's title and author converted too, when they changed: the boxes to show.
    std::optional<velmora::RunBoxes> boxes;
};

// The book the window may serve to a phone, and the addresses a phone may reach it at.
struct ShareOffer {
    std::filesystem::path book;
    std::vector<std::uint32_t> addresses;
};

class Application : public QObject {
    Q_OBJECT

public:
    Application(const std::filesystem::path& appDir, const velmora::Clock& clock,
                QObject* parent = nullptr);

    SongListModel* Model() { return &model_; }
    ChangeHistory& History() { return history_; }
    BuildController& Builds() { return builds_; }

    int SongCount() const { return run_.Songs().SongCount(); }
    const velmora::Song& SongAt(int n) const { return run_.Songs().At(n); }
    std::filesystem::path FinishedFolder() const { return run_.Layout().FinishedFolder(); }
    std::filesystem::path TemplateCoverPath() const { return run_.Layout().Template("cover.jpeg"); }
    std::filesystem::path BookPath(const std::u16string& title) const;
    // Where the songbook's PDF is proposed: "<书名>.pdf" beside the book.
    std::filesystem::path PdfPath(const std::u16string& title) const;
    // The book as the boxes and the list give it now, for paper: its title, author and
    // script, its songs, and its cover as a build would make it. Raises a Failure when the
    // chosen cover cannot be used.
    velmora::Songbook ToPrint(const velmora::RunBoxes& boxes) const;

    // Prepares the run's workspace and looks for work an earlier run left unbuilt. An error
    // means the program must end.
    std::optional<CommandError> Load();
    // The songs an earlier run left unbuilt, to offer once; nothing when there are none.
    struct Unbuilt {
        int songs = 0;
        std::optional<int> notInBook;  // nothing: that run built no book
        int unreadable = 0;            // records of its journal that could not be read
        bool typed = false;            // a song typed and not added comes back too
    };
    std::optional<Unbuilt> UnbuiltSongs() const;
    // Why the most recent earlier run's work cannot be offered, if it cannot.
    const std::optional<CommandError>& EarlierRunError() const { return earlierError_; }
    // Brings them back (the boxes that run had, if it kept them), or lets them go. Either way
    // they are not offered again, unless bringing them back fails.
    struct Restored {
        std::optional<velmora::RunBoxes> boxes;
        std::optional<CommandError> error;
    };
    Restored Restore(bool wanted);

    // The boxes as they stand, kept with the run's work for a restore.
    void KeepBoxes(const velmora::RunBoxes& boxes);
    // The user chose this save place in a dialog that asked before replacing it.
    void Confirmed(const velmora::RunBoxes& boxes);

    BuildCheck CheckBuild(const velmora::RunBoxes& boxes) const;
    // A new book's title to propose beside the book of this one: "我的最爱 (2)", the first
    // number no book in finished/ has.
    std::u16string NewBookTitle(const std::u16string& title) const;
    // The boxes of a new book of that title: a save place that named the old book's file
    // names its folder, so that the old copy stays too.
    velmora::RunBoxes AsNewBook(velmora::RunBoxes boxes, const std::u16string& title) const;
    // Builds the book the boxes name, every question of its check answered yes: its title
    // and author, the cover box's image (or, for a named book, its own cover drawn), a copy
    // going to the save place (its folder made first, when it was missing: the error, when
    // that cannot be done, and nothing is built).
    std::optional<CommandError> Build(const velmora::RunBoxes& boxes, const BuildCheck& check);

    // An import; a book brought into a window that holds nothing yet also gives the boxes it
    // had, to show (its own cover copied into the run's folder).
    ImportOutcome Import(const std::vector<std::filesystem::path>& paths,
                         velmora::ImportProgress& progress, const velmora::RunBoxes& boxes);

    // Songs in the list that no book finished in this run holds as they are.
    bool HasUnbuiltSongs() const;
    // Opens one of our books: its songs in place of the list's, its title, author and cover
    // (and `savePlace`, when given) in place of the boxes `now`, as one change. The boxes to
    // show, or the error (a file that is not one of our books: a Failure, as an import
    // words it).
    struct Opened {
        std::optional<velmora::RunBoxes> boxes;
        std::optional<CommandError> error;
    };
    Opened OpenBook(const std::filesystem::path& book, velmora::RunBoxes now,
                    const std::u16string& savePlace, const QString& name);

    // Every song's name, artist, credits and lyric in that form, and the book's title and
    // author in `boxes`, as one change; the songs already in it are left as they are. `name`
    // names the change for undo ("转为简体"). Converted off the window's thread, then
    // written; `progress` is told as it goes, and a no from it ends the change as if it had
    // not begun (its error: Failure(Stopped)).
    ScriptChange ConvertAll(velmora::ScriptForm to, const QString& name,
                            velmora::ImportProgress& progress, const velmora::RunBoxes& boxes);

    // The finished book of this title and where to serve it; raises a Failure (CannotServe)
    // when there is no such book.
    ShareOffer Share(const std::u16string& title) const;
    // Opens a path with the desktop's handler; openFailed() when it cannot.
    void Open(const QString& path) { opener_.Open(path); }
    void ShowInFolder(const QString& file) { opener_.ShowInFolder(file); }

    // The program is ending: an import stops at once.
    void EndRequested() { ending_ = true; }
    bool Ending() const { return ending_; }

signals:
    // A book was finished (its copy recorded as this run's own to replace).
    void built(const velmora::BuildResult& result);
    // What the list shows differs from the last book finished.
    void unbuiltChanges();
    void openFailed(const QString& path);

private:
    void Finished(const velmora::BuildResult& result);
    void Changed();
    // The boxes of a book come back whole; an error, if its cover cannot be kept, in `outcome`.
    void CameBack(const velmora::Book& book, ImportOutcome& outcome);
    // A book's boxes: its title and author, its own cover kept in the run's folder (or the
    // template's). Raises a Failure when the cover cannot be kept.
    velmora::RunBoxes BoxesOf(const velmora::Book& book);

    const velmora::Clock& clock_;
    velmora::Workspace run_;
    SongListModel model_;
    ChangeHistory history_;
    BuildController builds_;
    ImportRunner imports_;
    DesktopOpener opener_;
    bool ending_ = false;
    bool converting_ = false;
    std::optional<velmora::UnbuiltRun> unbuilt_;
    std::optional<CommandError> earlierError_;
    // The song log's length when the last book that was finished began.
    std::optional<std::uint64_t> builtAt_;
    // Files at save places that may be replaced without a question.
    std::set<std::filesystem::path> mayReplace_;
};
