#pragma once
// The main window: name and lyric boxes, the song list, the save-path and cover boxes with
// their dialogs, the Make button, the status label and the output-folder button. Thin:
// each click becomes one call on the run's core objects, whose interfaces it implements.

#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "common_dialog.h"
#include "desktop_opener.h"
#include "epub/book_maker.h"
#include "workspace/workspace.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SongList;

class Form1 : public QWidget, public velmora::CollectionView, public velmora::BuildView {
    Q_OBJECT

public:
    Form1(const std::filesystem::path& appDir, const velmora::Clock& clock,
          FileDialogRunner& dialogs, QWidget* parent = nullptr);

    // Prepares the run's workspace and fills the save-path box. False, after a message,
    // when the workspace cannot be made (or a template read): the program must end.
    bool Form_Load();

    // Brings in the songs of these files (folders searched), as "导入…" does.
    void Import(const QStringList& paths);

    void showMessage(const std::u16string& text, const std::u16string& title) override;
    void appendListEntry(const std::u16string& entry) override;
    void emptyInputBoxes() override;
    void showListFrom(int n, const std::vector<std::u16string>& entries) override;
    void selectListEntry(int n) override;
    void setStatus(const std::u16string& text) override;

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void PollBuild();
    void ShowListMenu(const QPoint& at);
    void EditSong(int n);
    void RemoveSong(int n);
    void MoveSong(int from, int to);

protected:
    // Files dropped anywhere on the window are imported.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateListActions();
    void ChooseImport();
    void SetFocusOrder();
    // Runs a handler; whatever it raises is shown, and the window goes on. False when it
    // raised.
    bool Guarded(const std::function<void()>& handler);
    void SyncBuildTimer();

    FileDialogRunner& dialogs_;
    velmora::Workspace run_;
    velmora::BookMaker maker_;
    QTimer buildTimer_;
    CommonDialog commonDialog1_;
    CommonDialog commonDialog2_;
    DesktopOpener opener_;

    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
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
};
