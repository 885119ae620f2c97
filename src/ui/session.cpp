#include "session.h"

#include "cover_image.h"
#include "import/importer.h"
#include "import_progress.h"
#include "wording.h"

namespace {

constexpr int kBuildPollMs = 50;

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
    return Guarded([this] { run_.ReadyToMake(); });
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
    if (!message.isEmpty()) {
        Say(message);
    }
    return message.isEmpty();
}

bool Session::Refused(velmora::Refusal refusal) {
    if (const QString text = RefusalText(refusal); !text.isEmpty()) {
        Say(text, QStringLiteral("提示"));
    }
    return refusal != velmora::Refusal::None;
}

void Session::Say(const QString& text, const QString& title) {
    if (prompter_ != nullptr) {
        prompter_->ShowMessage(text, title);
    }
}

bool Session::Add(const std::u16string& name, const std::u16string& lyric) {
    velmora::Refusal refusal = velmora::Refusal::None;
    return Guarded([&] { refusal = run_.AddLyric(name, lyric); }) && !Refused(refusal);
}

bool Session::Edit(int n, const velmora::Song& song) {
    velmora::Refusal refusal = velmora::Refusal::None;
    return Guarded([&] { refusal = run_.EditLyric(n, song); }) && !Refused(refusal);
}

bool Session::Remove(int n) {
    velmora::Refusal refusal = velmora::Refusal::None;
    return Guarded([&] { refusal = run_.RemoveLyric(n); }) && !Refused(refusal);
}

bool Session::Move(int from, int to) {
    velmora::Refusal refusal = velmora::Refusal::None;
    return Guarded([&] { refusal = run_.MoveLyric(from, to); }) && !Refused(refusal);
}

void Session::Make(const QString& coverBox, const QString& saveBox) {
    Guarded([&] {
        velmora::BuildRequest request{[coverBox] { return CoverJpeg(coverBox); },
                                      run_.Layout().SavePlace(saveBox.toStdU16String())};
        if (!maker_.MakeBook(std::move(request))) {
            Say(QStringLiteral("正在制作，请等这一次制作完成。"), QStringLiteral("提示"));
        }
    });
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
    if (!result.copy.empty()) {
        const QString copy = QString::fromStdU16String(velmora::PathText(result.copy));
        emit statusChanged(PhaseText(velmora::BuildPhase::Done) + QStringLiteral("，已另存到：") +
                               Elided(copy, 40),
                           copy);
    }
    if (result.copyFailure) {
        Say(Wording(*result.copyFailure));
    }
}

void Session::Import(const QStringList& paths, QWidget* parent) {
    if (paths.isEmpty()) {
        return;
    }
    std::vector<std::filesystem::path> given;
    for (const QString& path : paths) {
        given.emplace_back(path.toStdString());
    }
    velmora::ImportReport report;
    ImportProgressDialog progress(parent, [this] { return !ending_; });
    // Songs in before a failure stay; the failure is said, then what was skipped.
    Guarded([&] { report = velmora::Import(run_, velmora::ImportFiles(given), progress); });
    if (const QString summary = ImportSummary(report); !summary.isEmpty() && !ending_) {
        Say(summary);
    }
}

void Session::OpenFolder(const QString& path) {
    opener_.Open(path);
}
