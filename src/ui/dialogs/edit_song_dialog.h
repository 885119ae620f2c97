#pragma once
// "修改歌曲": a song's name, artist, credits and lyric, to be changed. Confirming asks the caller,
// and the dialog closes only when the change has been made.

#include <QDialog>
#include <functional>
#include <string>

#include "workspace/song.h"

class QLineEdit;
class QPlainTextEdit;

class EditSongDialog : public QDialog {
    Q_OBJECT

public:
    // True when the change is made; false (after its message) keeps the dialog open.
    using Confirm = std::function<bool(const velmora::Song& song)>;

    EditSongDialog(QWidget* parent, const velmora::Song& song, Confirm confirm);

protected:
    // Ctrl+Enter in the lyric box confirms, as 确定 does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TryAccept();

    QLineEdit* name_ = nullptr;
    QLineEdit* artist_ = nullptr;
    QPlainTextEdit* credits_ = nullptr;
    QPlainTextEdit* lyric_ = nullptr;
    Confirm confirm_;
};
