#include "ui/form1_ui.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "cover/cover_image.h"
#include "epub/book_info.h"
#include "ui/cover_preview.h"
#include "ui/find_box.h"
#include "ui/song_list.h"
#include "ui/status_label.h"

namespace {

template <typename Widget>
Widget* Named(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption) {
    auto* label = Named<QLabel>(parent, name);
    label->setText(caption);
    return label;
}

// A box named by its label (the label's caption without its colon), for screen readers.
QLineEdit* Box(QWidget* parent, const char* name, QLabel* label) {
    auto* box = Named<QLineEdit>(parent, name);
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setAccessibleName(label->text().chopped(1));
    label->setBuddy(box);
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = Named<QPushButton>(parent, name);
    button->setText(caption);
    // No default button: Enter in a one-line box presses nothing.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

void Form1Ui::SetUp(QWidget* window, QAbstractItemModel* songs) {
    CreateControls(window, songs);
    LayOut(window);
    SetFocusOrder();
}

void Form1Ui::CreateControls(QWidget* window, QAbstractItemModel* songs) {
    label1 = Label(window, "Label1", tr("歌名："));
    text1 = Box(window, "Text1", label1);
    list1 = Named<SongList>(window, "List1");
    list1->SetSongs(songs);
    list1->setAccessibleName(tr("歌曲列表"));
    label8 = Label(window, "Label8", tr("歌手："));
    text7 = Box(window, "Text7", label8);
    text7->setPlaceholderText(tr("可不填"));
    label9 = Label(window, "Label9", QString());
    find1 = Named<FindBox>(window, "Find1");
    find1->setAccessibleName(tr("查找"));
    find1->setPlaceholderText(tr("查找歌名、歌手或歌词"));
    label2 = Label(window, "Label2", tr("歌词："));
    command3 = Button(window, "Command3", tr("添加"));
    text2 = Named<QPlainTextEdit>(window, "Text2");
    text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text2->setTabChangesFocus(true);
    text2->setAccessibleName(tr("歌词"));
    label2->setBuddy(text2);
    label3 = Label(window, "Label3", tr("保存路径："));
    text3 = Box(window, "Text3", label3);
    command1 = Button(window, "Command1", tr("更改"));
    command1->setAccessibleDescription(tr("选择保存路径"));
    label5 = Label(window, "Label5", tr("自定义封面："));
    text4 = Box(window, "Text4", label5);
    text4->setText(QString::fromStdU16String(kCoverBoxStart));
    coverPreview = new CoverPreview(window);
    command4 = Button(window, "Command4", tr("更改"));
    command4->setAccessibleDescription(tr("选择封面图片"));
    label6 = Label(window, "Label6", tr("书名："));
    text5 = Box(window, "Text5", label6);
    text5->setText(QString::fromStdU16String(velmora::kDefaultTitle));
    label7 = Label(window, "Label7", tr("作者："));
    text6 = Box(window, "Text6", label7);
    text6->setText(QString::fromStdU16String(velmora::kDefaultAuthor));
    command2 = Button(window, "Command2", tr("开始制作"));
    label4 = Named<StatusLabel>(window, "Label4");
    label4->Show(tr("等待制作..."));
    label10 = Label(window, "Label10",
                    QStringLiteral("<a href=\"show\">%1</a>").arg(tr("在文件夹中显示")));
    label10->hide();
    creditsOffer = Label(window, "CreditsOffer",
                         QStringLiteral("<a href=\"credits\">%1</a>").arg(tr("设为词曲信息")));
    creditsOffer->setAccessibleName(tr("把开头几行设为词曲信息"));
    creditsOffer->hide();
    reopenOffer = Named<QLabel>(window, "ReopenOffer");
    reopenOffer->setWordWrap(true);
    reopenOffer->setAlignment(Qt::AlignCenter);
    reopenOffer->hide();
    command6 = Button(window, "Command6", tr("传到手机"));
    command6->setAccessibleDescription(tr("扫码下载到手机"));
    command5 = Button(window, "Command5", tr("打开成品文件夹"));
}

// Rows as they always were, the artist's under the name: name | list, artist | list, lyric
// | list and the count of songs, save path, cover, title and author, then Make, the status
// and the two buttons. The list and the lyric box share the width and
// take the height the window gains; the boxes below widen, their buttons keep to the right.
void Form1Ui::LayOut(QWidget* window) {
    auto* grid = new QGridLayout(window);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(text1, 0, 1);
    // The count of songs under the list, always in sight.
    auto* songs = new QVBoxLayout;
    songs->addWidget(find1);
    songs->addWidget(list1, 1);
    songs->addWidget(reopenOffer);
    songs->addWidget(label9);
    grid->addLayout(songs, 0, 2, 4, 3);
    grid->addWidget(label8, 1, 0);
    grid->addWidget(text7, 1, 1);
    grid->addWidget(label2, 2, 0);
    grid->addWidget(command3, 2, 1, Qt::AlignRight);
    grid->addWidget(text2, 3, 0, 1, 2);
    grid->addWidget(label3, 4, 0);
    grid->addWidget(text3, 4, 1, 1, 3);
    grid->addWidget(command1, 4, 4);
    grid->addWidget(label5, 5, 0);
    auto* cover = new QHBoxLayout;
    cover->addWidget(text4, 1);
    cover->addWidget(coverPreview);
    grid->addLayout(cover, 5, 1, 1, 3);
    grid->addWidget(command4, 5, 4);
    grid->addWidget(label6, 6, 0);
    grid->addWidget(text5, 6, 1);
    grid->addWidget(label7, 6, 2);
    grid->addWidget(text6, 6, 3, 1, 2);
    auto* make = new QHBoxLayout;
    make->addWidget(command2);
    make->addWidget(label4, 1);
    make->addWidget(creditsOffer);
    make->addWidget(label10);
    make->addWidget(command6);
    make->addWidget(command5);
    grid->addLayout(make, 7, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
}

void Form1Ui::SetFocusOrder() {
    const QList<QWidget*> order{list1,    text1, text7,    text2, text3, command1, command2,
                                command3, text4, command4, text5, text6, command6, command5};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
    text1->setFocus();
}
