#pragma once
// The main window: name and lyric boxes, the song list, the save-path and cover boxes with
// their dialogs, the book's title and author, the Make button, the status line, the
// output-folder button and the one that hands the book to a phone. A view: it shows the
// application's model, forwards each command to its services and words what comes back.

#include <QWidget>
#include <filesystem>
#include <vector>

#include "app/application.h"
#include "ui/common_dialog.h"
#include "ui/form1_ui.h"
#include "ui/import_dialogs.h"
#include "ui/message_boxes.h"
#include "ui/songbook_printing.h"

class MainMenu;
class QTimer;

class Form1 : public QWidget {
    Q_OBJECT

public:
    Form1(Application& app, FileDialogRunner& dialogs, MessageBoxRunner& boxes,
          QWidget* parent = nullptr);

    // Prepares the run's workspace and fills the save-path box (and the cover box, and the
    // window's place, as they were left the last time). False, after a message, when the
    // workspace cannot be made (or a template read): the program must end.
    bool Form_Load();
    // Once shown: asks whether to bring back what an earlier run left unbuilt.
    void OfferRestore();

    // Brings in the songs of these files (folders searched), as "导入…" does.
    void Import(const QStringList& paths);
    // The same with paths as the system gives them: a name's bytes, whatever their encoding.
    void Import(const std::vector<std::filesystem::path>& paths);
    // Another start of the program: the window comes to the front and brings in its files,
    // once no modal box is open.
    void TakeStart(const std::vector<std::filesystem::path>& files);
    // Opens one of our books in place of the list's songs and the book's boxes (asking first
    // when the list holds songs no book has), as one change; `savePlace` as it was when the
    // book was made, if known.
    void OpenBook(const QString& path, const QString& savePlace = {});

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void ShowPhoneButton();

protected:
    // Ctrl+Enter in the lyric box adds.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Connect();
    void ConnectList();
    // The boxes kept with the run's work, and remembered for the next start.
    void KeepBoxes();
    // A song typed and not added is kept with the run's work a moment after each keystroke,
    // so that even a killed program brings it back.
    void KeepTyped();
    void ShowCount();
    void ShowCover();
    // 转换 to one form: one change, said in the status line.
    void ConvertAll(velmora::ScriptForm to);
    // The four boxes that name the book and where it goes.
    velmora::RunBoxes Boxes() const;
    void ShowBoxes(const velmora::RunBoxes& boxes);
    // Says what a command raised, if anything; true when it raised nothing.
    bool Said(const std::optional<CommandError>& error);
    void Say(const QString& text, const QString& title);
    void SayNotMade(const ChangeOutcome& outcome);
    void ShowBuilt(const velmora::BuildResult& result);
    // The newest book, if it is there, offered under the empty list.
    void ShowReopenOffer();
    // The song's credit lines, left in its lyric as typed, made its credits: one change.
    void TakeCredits();

    Application& app_;
    CommonDialog commonDialog1_;
    CommonDialog commonDialog2_;
    ImportDialogs imports_;
    MessageBoxes boxes_;
    SongbookPrinting printing_;

    Form1Ui ui_;
    MainMenu* menu_ = nullptr;
    QTimer* typing_ = nullptr;
    // The song just added whose first lines look like credits, as it was added.
    std::optional<std::pair<int, velmora::Song>> credited_;
};
