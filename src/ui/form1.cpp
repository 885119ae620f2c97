#include "ui/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "epub/book_info.h"
#include "import/lyric_file.h"
#include "ui/cover_preview.h"
#include "ui/failure_wording.h"
#include "ui/import_dialogs.h"
#include "ui/lyric_box.h"
#include "ui/main_menu.h"
#include "ui/message_boxes.h"
#include "ui/phone/phone_dialog.h"
#include "ui/remembered.h"
#include "ui/restore_question.h"
#include "ui/song_list.h"
#include "ui/status_label.h"
#include "ui/wording.h"

namespace {

// The size the window had when its controls stood at fixed places: it opens no smaller.
constexpr QSize kFirstSize(441, 302);

}  // namespace

Form1::Form1(Application& app, FileDialogRunner& dialogs, MessageBoxRunner& boxes, QWidget* parent)
    : QWidget(parent),
      app_(app),
      commonDialog1_(tr("选择保存路径"), tr("电子出版(*.epub)|*.epub"),
                     QString::fromStdU16String(velmora::kDefaultTitle), dialogs),
      commonDialog2_(tr("选择封面图片"),
                     tr("所有图像文件(*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png|"
                        "JPEG文件交换格式(*.jpg;*.jpeg)|*.jpg;*.jpeg|可移植网络图形(*.png)|*.png"),
                     QString(), dialogs),
      imports_(dialogs),
      boxes_(boxes),
      printing_(
          app, dialogs, boxes_,
          {this, [this] { return Boxes(); },
           [this](const QString& text, const QString& file) { ui_.label4->Show(text, file); }}) {
    setWindowTitle(QStringLiteral("Velmora " VELMORA_VERSION));
    setWindowIcon(QIcon(QStringLiteral(":/velmora.png")));
    // The window (text-area) background, not the button face.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    setPalette(palette);
    setAutoFillBackground(true);
    ui_.SetUp(this, app_.Model());
    Connect();
    ConnectList();
    // As large as its contents ask, at whatever font and scale.
    resize(sizeHint().expandedTo(kFirstSize));
}

void Form1::Connect() {
    connect(ui_.command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui_.command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui_.command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui_.command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ui_.command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(ui_.command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(ui_.text4, &QLineEdit::textChanged, this, &Form1::ShowCover);
    // A name typed, the lyric comes next.
    connect(ui_.text1, &QLineEdit::returnPressed, ui_.text2, qOverload<>(&QWidget::setFocus));
    // The phone button is for the book the title box names, once it is there.
    connect(ui_.text5, &QLineEdit::textChanged, this, &Form1::ShowPhoneButton);
    for (QLineEdit* box : {ui_.text3, ui_.text4, ui_.text5, ui_.text6}) {
        connect(box, &QLineEdit::editingFinished, this, &Form1::KeepBoxes);
    }
    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(500);
    connect(typing_, &QTimer::timeout, this, &Form1::KeepTyped);
    for (QLineEdit* box : {ui_.text1, ui_.text7}) {
        connect(box, &QLineEdit::textChanged, typing_, qOverload<>(&QTimer::start));
    }
    connect(ui_.text2, &QPlainTextEdit::textChanged, typing_, qOverload<>(&QTimer::start));
    BuildController& builds = app_.Builds();
    connect(&builds, &BuildController::phaseChanged, this, [this](velmora::BuildPhase phase) {
        ui_.label4->Show(PhaseText(phase));
        // Not to be pressed again while it builds: the build in hand would only refuse it.
        const bool ended =
            phase == velmora::BuildPhase::Done || phase == velmora::BuildPhase::Failed;
        ui_.command2->setEnabled(ended);
        menu_->SetMakeEnabled(ended);
    });
    connect(&builds, &BuildController::failed, this, [this](const CommandError& error) {
        ShowPhoneButton();
        Said(error);
    });
    connect(&app_, &Application::built, this, &Form1::ShowBuilt);
    connect(&app_, &Application::unbuiltChanges, this,
            [this] { ui_.label4->Show(tr("有修改尚未制作")); });
    connect(&app_, &Application::openFailed, this,
            [this](const QString& path) { Say(tr("无法打开：") + Elided(path), AppTitle()); });
    connect(&app_.History(), &ChangeHistory::notMade, this, &Form1::SayNotMade);
    connect(ui_.creditsOffer, &QLabel::linkActivated, this, &Form1::TakeCredits);
    // A change to that song, or one that moves it, ends the offer.
    connect(&app_.History(), &ChangeHistory::changed, this, [this] {
        if (credited_ && (credited_->first > app_.SongCount() ||
                          app_.SongAt(credited_->first) != credited_->second)) {
            credited_.reset();
            ui_.creditsOffer->hide();
        }
    });
    connect(&app_.History(), &ChangeHistory::boxesStepped, this,
            [this](const velmora::RunBoxes& boxes) {
                ShowBoxes(boxes);
                KeepBoxes();
            });
    // What the status line said of a change no longer holds once it is taken back.
    connect(&app_.History(), &ChangeHistory::stepped, this, [this](bool back, const QString& text) {
        ui_.label4->Show((back ? tr("已撤销：%1") : tr("已重做：%1")).arg(text));
    });
}

void Form1::ShowCover() {
    ui_.coverPreview->Show(ui_.text4->text(),
                           QString::fromStdString(app_.TemplateCoverPath().string()));
}

void Form1::ShowCount() {
    ui_.label9->setText(tr("共 %1 首").arg(app_.SongCount()));
    ui_.reopenOffer->setVisible(!ui_.reopenOffer->text().isEmpty() && app_.SongCount() == 0);
}

velmora::RunBoxes Form1::Boxes() const {
    return {ui_.text4->text().toStdU16String(),       ui_.text3->text().toStdU16String(),
            ui_.text5->text().toStdU16String(),       ui_.text6->text().toStdU16String(),
            ui_.text1->text().toStdU16String(),       ui_.text7->text().toStdU16String(),
            ui_.text2->toPlainText().toStdU16String()};
}

void Form1::ShowBoxes(const velmora::RunBoxes& boxes) {
    // A book brought back has no song typed: what stands in the boxes stays.
    if (boxes.HasTyped()) {
        ui_.text1->setText(QString::fromStdU16String(boxes.name));
        ui_.text7->setText(QString::fromStdU16String(boxes.artist));
        ui_.text2->setPlainText(QString::fromStdU16String(boxes.lyric));
    }
    ui_.text4->setText(QString::fromStdU16String(boxes.cover));
    if (!boxes.savePlace.empty()) {
        ui_.text3->setText(QString::fromStdU16String(boxes.savePlace));
    }
    // Kept by a run made before books had names: they keep the boxes' start values.
    if (!boxes.title.empty()) {
        ui_.text5->setText(QString::fromStdU16String(boxes.title));
        ui_.text6->setText(QString::fromStdU16String(boxes.author));
    }
}

bool Form1::Form_Load() {
    if (!Said(app_.Load())) {
        return false;
    }
    ui_.text3->setText(
        remembered::SavePlace(QString::fromStdString(app_.FinishedFolder().string())));
    ui_.text4->setText(remembered::Cover(ui_.text4->text()));
    restoreGeometry(remembered::Geometry());
    ShowReopenOffer();
    ShowPhoneButton();
    ShowCover();
    return true;
}

void Form1::OfferRestore() {
    Said(app_.EarlierRunError());
    const auto unbuilt = app_.UnbuiltSongs();
    if (!unbuilt) {
        return;
    }
    const bool wanted =
        boxes_.Ask(this, RestoreQuestion(*unbuilt), AppTitle(), tr("恢复"), tr("不要"), true);
    const Application::Restored restored = app_.Restore(wanted);
    if (Said(restored.error) && restored.boxes) {
        ShowBoxes(*restored.boxes);
    }
}

void Form1::KeepBoxes() {
    remembered::KeepBoxes(ui_.text3->text(), ui_.text4->text());
    app_.KeepBoxes(Boxes());
}

void Form1::KeepTyped() {
    typing_->stop();
    app_.KeepBoxes(Boxes());
}

void Form1::closeEvent(QCloseEvent* event) {
    if (typing_->isActive()) {
        KeepTyped();
    }
    remembered::KeepGeometry(saveGeometry());
    QWidget::closeEvent(event);
}

void Form1::Command1_Click() {
    // Cancelled, the box stays as it was.
    if (commonDialog1_.ShowSave(this)) {
        ui_.text3->setText(commonDialog1_.FileName());
        // The dialog asked before an existing file was chosen.
        app_.Confirmed(Boxes());
    }
    KeepBoxes();
}

void Form1::Command3_Click() {
    // The artist stays for the next song: an album's songs are typed one after another.
    if (app_.History()
            .Add({ui_.text1->text().toStdU16String(), TypedLyric(*ui_.text2),
                  ui_.text7->text().trimmed().toStdU16String()})
            .Made()) {
        // Added as typed; credit lines at its top become its credits only when asked.
        const int n = app_.SongCount();
        if (velmora::WithCreditsTakenOut(app_.SongAt(n))) {
            credited_.emplace(n, app_.SongAt(n));
            ui_.label4->Show(tr("已添加。开头几行像词曲信息："));
            ui_.creditsOffer->show();
        }
        ui_.text1->clear();
        ui_.text2->clear();
        // Added, the song is no longer typed: a kill now must not bring it back twice.
        KeepTyped();
        ui_.text1->setFocus();
    }
}

void Form1::TakeCredits() {
    ui_.creditsOffer->hide();
    if (!credited_) {
        return;
    }
    const auto [n, song] = *std::exchange(credited_, std::nullopt);
    const auto credited = velmora::WithCreditsTakenOut(song);
    // Changed since, the offer no longer holds.
    if (n <= app_.SongCount() && app_.SongAt(n) == song && credited &&
        app_.History().Edit(n, *credited).Made()) {
        ui_.label4->Show(tr("已把开头几行设为词曲信息"));
    }
}

void Form1::Command4_Click() {
    if (commonDialog2_.ShowOpen(this)) {
        ui_.text4->setText(commonDialog2_.FileName());
    }
    KeepBoxes();
}

void Form1::Command5_Click() {
    app_.Open(ui_.text3->text());
}

void Form1::Command6_Click() {
    Said(Attempt([this] {
        const ShareOffer offer = app_.Share(ui_.text5->text().toStdU16String());
        const QString folder = QString::fromStdString(app_.FinishedFolder().string());
        PhoneDialog dialog(this, offer.book, offer.addresses,
                           [this, folder] { app_.Open(folder); });
        dialog.exec();
    }));
    ShowPhoneButton();
}

void Form1::ShowPhoneButton() {
    const auto book = app_.BookPath(ui_.text5->text().toStdU16String());
    const bool there = QFileInfo(book).isFile();
    ui_.command6->setEnabled(there);
    // Grey, it says why.
    ui_.command6->setToolTip(
        there ? QString() : tr("先制作《%1》").arg(Elided(ui_.text5->text().toStdU16String())));
    menu_->SetShareEnabled(there);
}

bool Form1::Said(const std::optional<CommandError>& error) {
    if (error) {
        Say(Wording(*error), AppTitle());
    }
    return !error;
}

void Form1::Say(const QString& text, const QString& title) {
    boxes_.Tell(this, text, title);
}

void Form1::SayNotMade(const ChangeOutcome& outcome) {
    // Stopped by the user: whoever asked says so, without a box.
    const auto& error = outcome.error;
    if (error && error->failure && error->failure->problem() == velmora::Problem::Stopped) {
        return;
    }
    if (!Said(outcome.error)) {
        return;
    }
    if (const QString text = RefusalText(outcome.refusal); !text.isEmpty()) {
        Say(text, HintTitle());
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.text2 && IsCtrlEnter(event)) {
        Command3_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
