#pragma once
// The main window: name and lyric boxes, the song list, the save-path and cover boxes with
// their dialogs, the Make button, the status label, the output-folder button and the one that hands
// the book to a phone. It shows and forwards: each command goes to the session, and the boxes the
// session asks for are shown here.

#include <QWidget>
#include <filesystem>
#include <vector>

#include "common_dialog.h"
#include "prompter.h"
#include "session.h"

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SongList;

// How much of the room the window gains beyond its first size a control takes: its left and
// width of the extra width, its top and height of the extra height (0, half or all of it).
struct Grow {
    double left = 0, width = 0, top = 0, height = 0;
};

class Form1 : public QWidget, public Prompter {
    Q_OBJECT

public:
    Form1(Session& session, FileDialogRunner& dialogs, QWidget* parent = nullptr);

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

    void ShowMessage(const QString& text, const QString& title) override;
    bool Ask(const QString& text, const QString& title, const QString& yes, const QString& no,
             bool yesIsDefault) override;

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void ShowPhoneButton();
    void ShowListMenu(const QPoint& at);
    void EditSong(int n);
    void RemoveSong(int n);
    void MoveSong(int from, int to);
    void ShowStatus(const QString& text, const QString& more);

protected:
    // Files dropped anywhere on the window are imported; Ctrl+Enter in the lyric box adds.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A control's place at the window's first size (in twips), and how it grows.
    struct Anchor {
        QWidget* control;
        QRect twips;
        Grow grow;
    };

    void CreateControls();
    void CreateListActions();
    void CreateUndoActions();
    // The boxes kept with the run's work, and remembered for the next start.
    void KeepBoxes();
    void ChooseImport();
    void SetFocusOrder();
    void FitStatus();
    template <typename Widget>
    Widget* Place(const char* name, QRect twips, Grow grow = {});
    QLabel* PlaceLabel(const char* name, const QString& caption, QRect twips, Grow grow = {});
    QLineEdit* PlaceLineEdit(const char* name, QLabel* label, QRect twips, Grow grow);
    QPushButton* PlaceButton(const char* name, const QString& caption, QRect twips, Grow grow = {});
    // The four boxes that name the book and where it goes.
    velmora::RunBoxes Boxes() const;
    void ShowBoxes(const velmora::RunBoxes& boxes);

    Session& session_;
    FileDialogRunner& dialogs_;
    CommonDialog commonDialog1_;
    CommonDialog commonDialog2_;
    std::vector<Anchor> anchors_;
    QString status_ = QStringLiteral("等待制作...");

    QLabel* label4_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPlainTextEdit* text2_ = nullptr;
    QLineEdit* text3_ = nullptr;
    QLineEdit* text4_ = nullptr;
    QLineEdit* text5_ = nullptr;
    QLineEdit* text6_ = nullptr;
    SongList* list1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command5_ = nullptr;
    QPushButton* command6_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};
