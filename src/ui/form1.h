#pragma once
// The main window: name and lyric boxes, the song list, the save-path and cover boxes with
// their dialogs, the Make button, the status label and the output-folder button. It shows
// and forwards: each command goes to the session, and the boxes the session asks for are
// shown here.

#include <QWidget>
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

    void ShowMessage(const QString& text, const QString& title) override;
    bool Ask(const QString& text, const QString& title, const QString& yes, const QString& no,
             bool yesIsDefault) override;

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
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
    // A control's place at the window's first size (in twips), and how much of the room the
    // window gains it takes: its left and width of the extra width, its top and height of
    // the extra height (0, half or all of it).
    struct Anchor {
        QWidget* control;
        QRect twips;
        double left, width, top, height;
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
    Widget* Place(const char* name, QRect twips, double left = 0, double width = 0, double top = 0,
                  double height = 0);
    QLabel* PlaceLabel(const char* name, const QString& caption, QRect twips, double top = 0,
                       double width = 0);
    QLineEdit* PlaceLineEdit(const char* name, const QString& accessibleName, QLabel* label,
                             QRect twips, double width, double top);
    QPushButton* PlaceButton(const char* name, const QString& caption, QRect twips, double left = 0,
                             double top = 0);

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
    SongList* list1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command5_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};
