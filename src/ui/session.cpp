#include "session.h"

#include "cover_drawing.h"
#include "cover_image.h"
#include "import/book_reader.h"
#include "import/importer.h"
#include "import_progress.h"
#include "phone_dialog.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/local_addresses.h"
#include "share/book_address.h"
#include "song_changes.h"
#include "text/limits.h"
#include "text/text_files.h"
#include "wording.h"

namespace {

namespace fs = std::filesystem;
using velmora::Refusal;

constexpr int kBuildPollMs = 50;

// The template's own cover: a book that carries it has no cover of the user's.
std::string TemplateCover(const velmora::RunLayout& layout) {
    velmora::FileContent content =
        velmora::ReadWholeFile(layout.Template("cover.jpeg"), velmora::kLargestTemplate);
    return std::move(content.bytes);
}

// The songs in a book, or -1 when it cannot be read as one of ours.
int SongsIn(const fs::path& book) {
    const velmora::FileContent content = velmora::ReadWholeFile(book, velmora::kLargestBook);
    try {
        return content ? static_cast<int>(velmora::ReadBook(content.bytes).songs.size()) : -1;
    } catch (const velmora::Failure&) {
        return -1;
    }
}

}  // namespace

Session::Session(const std::filesystem::path& appDir, const velmora::Clock& clock, QObject* parent)
    : QObject(parent),
      run_(appDir, clock),
      maker_(run_, clock, *this),
      model_(run_.Songs(), [this](int from, int to) { return Move(from, to); }),
      opener_([this](const QString& path) { Say(QStringLiteral("无法打开：") + Elided(path)); }) {
    run_.SetObserver(&model_);
    buildTimer_.setInterval(kBuildPollMs);
    connect(&buildTimer_, &QTimer::timeout, this, &Session::PollBuild);
}

bool Session::Load() {
    return Guarded([this] {
        run_.ReadyToMake();
        unbuilt_ = velmora::FindUnbuiltRun(run_.Layout());
    });
}

std::optional<velmora::RunBoxes> Session::OfferRestore() {
    if (!unbuilt_) {
        return std::nullopt;
    }
    const velmora::UnbuiltRun earlier = *std::move(unbuilt_);
    unbuilt_.reset();
    const velmora::RunLayout old = run_.Layout().ForRun(earlier.folder);
    if (!Ask(QStringLiteral("上次还有 %1 首歌没有做进电子书。要恢复吗？").arg(earlier.songs.size()),
             QStringLiteral("恢复"), QStringLiteral("不要"), true)) {
        velmora::MarkTaken(old);
        return std::nullopt;
    }
    // Not taken when it fails: the next start offers it again.
    if (!Guarded([&] { run_.AddSongs(1, earlier.songs); })) {
        return std::nullopt;
    }
    velmora::MarkTaken(old);
    if (earlier.boxes) {
        KeepBoxes(*earlier.boxes);
    }
    return earlier.boxes;
}

void Session::KeepBoxes(const velmora::RunBoxes& boxes) {
    // A help for a restore, no more: a disk too full for it says so at the next change.
    try {
        velmora::SaveRunBoxes(run_.Layout(), boxes);
    } catch (const velmora::Failure&) {
    }
}

void Session::Confirmed(const velmora::RunBoxes& boxes) {
    mayReplace_.insert(run_.Layout().SavePlace(boxes.savePlace, boxes.title));
}

bool Session::Guarded(const std::function<void()>& command) {
    QString message;
    try {
        command();
    } catch (const velmora::Failure& failure) {
        message = Wording(failure);
    } catch (const std::exception& error) {
        message = QStringLiteral("操作未能完成：") + QString::fromUtf8(error.what());
    } catch (...) {
        message = QStringLiteral("操作未能完成：未知错误");
    }
    // Before the box: its event loop must not poll a build that has ended.
    if (maker_.Running()) {
        buildTimer_.start();
    } else {
        buildTimer_.stop();
    }
    WatchBuild();
    if (!message.isEmpty()) {
        Say(message);
    }
    return message.isEmpty();
}

void Session::WatchBuild() {
    const int end = maker_.ArchiverEnd();
    if (archiverEnd_ && archiverEnd_->socket() != end) {
        // The descriptor closed with the build it watched. Perhaps in its own signal: it
        // goes once that has returned, and watches nothing meanwhile.
        archiverEnd_->setEnabled(false);
        archiverEnd_->deleteLater();
        archiverEnd_ = nullptr;
    }
    if (end >= 0 && archiverEnd_ == nullptr) {
        archiverEnd_ = new QSocketNotifier(end, QSocketNotifier::Read, this);
        connect(archiverEnd_, &QSocketNotifier::activated, this, &Session::PollBuild);
    }
}

bool Session::Refused(Refusal refusal) {
    if (const QString text = RefusalText(refusal); !text.isEmpty()) {
        Say(text, QStringLiteral("提示"));
    }
    return refusal != Refusal::None;
}

void Session::Say(const QString& text, const QString& title) {
    if (prompter_ != nullptr) {
        prompter_->ShowMessage(text, title);
    }
}

bool Session::Ask(const QString& text, const QString& yes, const QString& no, bool yesIsDefault) {
    return prompter_ != nullptr ? prompter_->Ask(text, kAppTitle, yes, no, yesIsDefault)
                                : yesIsDefault;
}

bool Session::Change(std::unique_ptr<SongChange> change) {
    Refusal refusal = Refusal::None;
    if (!Guarded([&] { refusal = change->Apply(run_); }) || Refused(refusal)) {
        return false;
    }
    changes_.push(change.release());
    Changed();
    return true;
}

void Session::Changed() {
    if (builtAt_ && !maker_.Running() && run_.JournalLength() > *builtAt_) {
        emit statusChanged(QStringLiteral("有修改尚未制作"), {});
    }
}

bool Session::Add(const std::u16string& name, const std::u16string& lyric) {
    const int n = run_.Songs().SongCount() + 1;
    return Change(std::make_unique<Added>(n, std::vector<velmora::Song>{{name, lyric}}));
}

bool Session::Edit(int n, const velmora::Song& song) {
    if (n < 1 || n > run_.Songs().SongCount()) {
        return false;
    }
    return Change(std::make_unique<Edited>(n, run_.Songs().At(n), song));
}

bool Session::Remove(int n) {
    if (n < 1 || n > run_.Songs().SongCount()) {
        return false;
    }
    return Change(std::make_unique<Removed>(n, run_.Songs().At(n)));
}

bool Session::Move(int from, int to) {
    const int count = run_.Songs().SongCount();
    if (from == to || from < 1 || to < 1 || from > count || to > count) {
        return false;
    }
    return Change(std::make_unique<Moved>(from, to));
}

void Session::Undo() {
    if (!changes_.canUndo()) {
        return;
    }
    const auto* change = static_cast<const SongChange*>(changes_.command(changes_.index() - 1));
    Refusal refusal = Refusal::None;
    if (Guarded([&] { refusal = change->Revert(run_); }) && !Refused(refusal)) {
        changes_.undo();
        Changed();
    }
}

void Session::Redo() {
    if (!changes_.canRedo()) {
        return;
    }
    const auto* change = static_cast<const SongChange*>(changes_.command(changes_.index()));
    Refusal refusal = Refusal::None;
    if (Guarded([&] { refusal = change->Apply(run_); }) && !Refused(refusal)) {
        changes_.redo();
        Changed();
    }
}

bool Session::MayReplace(const fs::path& savePlace, const velmora::BookInfo& info) {
    const fs::path book = run_.Layout().BookPath(info.title);
    const int songs = run_.Songs().SongCount() == 0 && velmora::Exists(book) ? SongsIn(book) : 0;
    if (songs != 0) {
        const QString title = QStringLiteral("《") + Elided(info.title) + QStringLiteral("》");
        const QString text =
            songs >= 0
                ? title + QStringLiteral("已有 %1 首歌。要用没有歌曲的歌词本替换它吗？").arg(songs)
                : title + QStringLiteral("已经存在。要用没有歌曲的歌词本替换它吗？");
        if (!Ask(text, QStringLiteral("替换"), QStringLiteral("取消"), false)) {
            return false;
        }
    }
    if (savePlace.empty() || !velmora::Exists(savePlace) || velmora::SameFile(savePlace, book) ||
        mayReplace_.contains(savePlace)) {
        return true;
    }
    if (!Ask(QStringLiteral("保存路径上已有这个文件：%1\n要用歌词本替换它吗？")
                 .arg(ElidedPath(savePlace)),
             QStringLiteral("替换"), QStringLiteral("取消"), false)) {
        return false;
    }
    mayReplace_.insert(savePlace);
    return true;
}

void Session::Make(const velmora::RunBoxes& boxes) {
    if (maker_.Running()) {
        Say(QStringLiteral("正在制作，请等这一次制作完成。"), QStringLiteral("提示"));
        return;
    }
    const velmora::BookInfo book{boxes.title, boxes.author};
    if (!book.HasTitle()) {
        Say(QStringLiteral("书名不能为空。"), QStringLiteral("提示"));
        return;
    }
    const fs::path savePlace = run_.Layout().SavePlace(boxes.savePlace, book.title);
    if (!MayReplace(savePlace, book)) {
        return;
    }
    KeepBoxes(boxes);
    const QString coverBox = QString::fromStdU16String(boxes.cover);
    const auto cover = [coverBox, book]() -> std::optional<std::string> {
        if (auto chosen = CoverJpeg(coverBox)) {
            return chosen;
        }
        return book.IsDefault() ? std::nullopt : std::optional(DrawnCover(book.title, book.author));
    };
    Guarded([&] { maker_.MakeBook({cover, savePlace, book}); });
}

void Session::PhaseChanged(velmora::BuildPhase phase) {
    emit statusChanged(PhaseText(phase), {});
}

void Session::PollBuild() {
    if (!buildTimer_.isActive()) {
        return;
    }
    std::optional<velmora::BuildResult> result;
    Guarded([&] { result = maker_.Poll(); });
    if (result) {
        Finished(*result);
    }
}

void Session::Finished(const velmora::BuildResult& result) {
    builtAt_ = result.journalLength;
    if (!result.copy.empty()) {
        mayReplace_.insert(result.copy);
        const QString copy = QString::fromStdU16String(velmora::PathText(result.copy));
        emit statusChanged(PhaseText(velmora::BuildPhase::Done) + QStringLiteral("，已另存到：") +
                               Elided(copy, 40),
                           copy);
    }
    Changed();
    if (result.copyFailure) {
        Say(Wording(*result.copyFailure));
    }
}

std::optional<velmora::RunBoxes> Session::CameBack(const velmora::Book& book) {
    velmora::RunBoxes boxes{u"Text4", {}, book.title, book.author};
    if (book.cover.empty() || book.cover == TemplateCover(run_.Layout()) ||
        IsDrawnCover(book.cover)) {
        return boxes;
    }
    if (!Guarded([&] { velmora::SaveBytes(run_.Layout().ImportedCover(), book.cover); })) {
        return std::nullopt;
    }
    boxes.cover = velmora::PathText(run_.Layout().ImportedCover());
    return boxes;
}

std::optional<velmora::RunBoxes> Session::Import(const std::vector<fs::path>& paths,
                                                 QWidget* parent, const velmora::RunBoxes& boxes) {
    if (paths.empty()) {
        return std::nullopt;
    }
    const bool fresh = run_.Songs().SongCount() == 0 &&
                       (boxes.cover == u"Text4" || boxes.cover.empty()) &&
                       velmora::BookInfo{boxes.title, boxes.author}.IsDefault();
    const int first = run_.Songs().SongCount() + 1;
    velmora::ImportReport report;
    ImportProgressDialog progress(parent, [this] { return !ending_; });
    // Songs in before a failure stay; the failure is said, then what was skipped.
    Guarded([&] { report = velmora::Import(run_, velmora::ImportFiles(paths), progress); });
    // Counted in the list, not the report: a failure halfway leaves no report.
    if (run_.Songs().SongCount() >= first) {
        std::vector<velmora::Song> added;
        for (int n = first; n <= run_.Songs().SongCount(); ++n) {
            added.push_back(run_.Songs().At(n));
        }
        changes_.push(new Added(first, std::move(added)));
        Changed();
    }
    if (const QString summary = ImportSummary(report); !summary.isEmpty() && !ending_) {
        Say(summary);
    }
    return fresh && report.firstBook ? CameBack(*report.firstBook) : std::nullopt;
}

void Session::OpenFolder(const QString& path) {
    opener_.Open(path);
}

void Session::ShareBook(const std::u16string& title, QWidget* parent) {
    const fs::path book = run_.Layout().BookPath(title);
    const QString folder = QString::fromStdString(run_.Layout().FinishedFolder().string());
    Guarded([&] {
        // Said even where there is no address to serve it at.
        if (!velmora::Exists(book)) {
            throw velmora::Failure(velmora::Problem::CannotServe, book, ENOENT);
        }
        PhoneDialog dialog(parent, book, velmora::LanAddressesFirst(velmora::LocalIpv4Addresses()),
                           [this, folder] { OpenFolder(folder); });
        dialog.exec();
    });
}
