#include "ui/dialogs/edit_song_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

#include "ui/lyric_box.h"

EditSongDialog::EditSongDialog(QWidget* parent, const velmora::Song& song, Confirm confirm)
    : QDialog(parent), confirm_(std::move(confirm)) {
    setWindowTitle(tr("修改歌曲"));
    name_ = new QLineEdit(QString::fromStdU16String(song.name), this);
    name_->setObjectName(QStringLiteral("EditName"));
    name_->setMaxLength(std::numeric_limits<int>::max());
    artist_ = new QLineEdit(QString::fromStdU16String(song.artist), this);
    artist_->setObjectName(QStringLiteral("EditArtist"));
    artist_->setMaxLength(std::numeric_limits<int>::max());
    credits_ = new QPlainTextEdit(this);
    credits_->setObjectName(QStringLiteral("EditCredits"));
    credits_->setTabChangesFocus(true);
    ShowLyric(*credits_, song.credits);
    // A few lines at most: the lyric takes the room.
    credits_->setFixedHeight(credits_->fontMetrics().lineSpacing() * 3 +
                             2 * credits_->frameWidth() + 8);
    lyric_ = new QPlainTextEdit(this);
    lyric_->setObjectName(QStringLiteral("EditLyric"));
    lyric_->setTabChangesFocus(true);
    ShowLyric(*lyric_, song.lyric);
    auto* ok = new QPushButton(tr("确定"), this);
    auto* cancel = new QPushButton(tr("取消"), this);
    ok->setObjectName(QStringLiteral("EditOk"));
    cancel->setObjectName(QStringLiteral("EditCancel"));
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &EditSongDialog::TryAccept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    lyric_->installEventFilter(this);

    auto* form = new QFormLayout(this);
    form->addRow(tr("歌名："), name_);
    form->addRow(tr("歌手："), artist_);
    form->addRow(tr("词曲信息："), credits_);
    form->addRow(tr("歌词："), lyric_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    setTabOrder(name_, artist_);
    setTabOrder(artist_, credits_);
    setTabOrder(credits_, lyric_);
    name_->setFocus();
    resize(320, 300);
}

bool EditSongDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lyric_ && IsCtrlEnter(event)) {
        TryAccept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void EditSongDialog::TryAccept() {
    if (confirm_({name_->text().toStdU16String(), TypedLyric(*lyric_),
                  artist_->text().toStdU16String(), TypedLyric(*credits_)})) {
        accept();
    }
}
