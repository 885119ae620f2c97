#pragma once
// The main window's controls and their layout, as a form designer would lay them out: made
// with their names, captions, buddies and tab order, the window's behaviour left to Form1.

#include <QCoreApplication>

class CoverPreview;
class FindBox;
class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class SongList;
class StatusLabel;

struct Form1Ui {
    Q_DECLARE_TR_FUNCTIONS(Form1)

public:
    // Makes the controls on `window`, the song list showing `songs`.
    void SetUp(QWidget* window, QAbstractItemModel* songs);

    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;
    QLabel* label5 = nullptr;
    QLabel* label6 = nullptr;
    QLabel* label7 = nullptr;
    QLabel* label8 = nullptr;
    QLabel* label9 = nullptr;
    QLabel* label10 = nullptr;
    // After a song is added whose lyric starts with credit lines: a link to make them its
    // credits; hidden otherwise.
    QLabel* creditsOffer = nullptr;
    // Under the empty list: the last book, to go on with (a link); hidden otherwise.
    QLabel* reopenOffer = nullptr;
    CoverPreview* coverPreview = nullptr;
    StatusLabel* label4 = nullptr;
    QLineEdit* text1 = nullptr;
    QPlainTextEdit* text2 = nullptr;
    QLineEdit* text3 = nullptr;
    QLineEdit* text4 = nullptr;
    QLineEdit* text5 = nullptr;
    QLineEdit* text6 = nullptr;
    QLineEdit* text7 = nullptr;
    SongList* list1 = nullptr;
    FindBox* find1 = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;
    QPushButton* command3 = nullptr;
    QPushButton* command4 = nullptr;
    QPushButton* command5 = nullptr;
    QPushButton* command6 = nullptr;

private:
    void CreateControls(QWidget* window, QAbstractItemModel* songs);
    void LayOut(QWidget* window);
    void SetFocusOrder();
};
