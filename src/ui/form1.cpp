#include "form1.h"

#include <QApplication>
#include <QDropEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <limits>

#include "cover_image.h"
#include "edit_song_dialog.h"
#include "import/importer.h"
#include "import_progress.h"
#include "lyric_box.h"
#include "song_list.h"
#include "text/failure.h"
#include "text/xml_text.h"

namespace {

// Positions and sizes are given in twips: 15 make one pixel at 96 dpi. Qt's high-DPI
// scaling takes the pixels on to other screens.
int Pixels(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect TwipsRect(int left, int top, int width, int height) {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

constexpr int kBuildPollMs = 50;

// The local files a drag carries, if any.
QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files << url.toLocalFile();
        }
    }
    return files;
}

QString ToQString(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

template <typename Widget>
Widget* Place(QWidget* parent, const char* name, const QRect& rect) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, const QRect& rect) {
    auto* label = Place<QLabel>(parent, name, rect);
    label->setText(caption);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit* PlaceLineEdit(QWidget* parent, const char* name, const QRect& rect) {
    auto* edit = Place<QLineEdit>(parent, name, rect);
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption,
                         const QRect& rect) {
    auto* button = Place<QPushButton>(parent, name, rect);
    button->setText(caption);
    // No default button: Enter in a one-line box presses nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

Form1::Form1(const std::filesystem::path& appDir, const velmora::Clock& clock,
             FileDialogRunner& dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      run_(appDir, clock, *this),
      maker_(run_, clock, *this),
      commonDialog1_(QStringLiteral("选择保存路径"), QStringLiteral("电子出版(*.epub)|*.epub"),
                     QStringLiteral("我的歌词本"), dialogs),
      commonDialog2_(QStringLiteral("选择保存路径"),
                     QStringLiteral("所有图像文件(*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png|"
                                    "JPEG文件交换格式(*.jpg;*.jpeg)|*.jpg;*.jpeg|"
                                    "可移植网络图形(*.png)|*.png"),
                     QString(), dialogs),
      opener_(*this) {
    setWindowTitle(QStringLiteral("Velmora " VELMORA_VERSION));
    setWindowIcon(QIcon(QStringLiteral(":/velmora.png")));
    setFixedSize(Pixels(5415), Pixels(4170));
    // The window (text-area) background, not the button face.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    setPalette(palette);
    setAutoFillBackground(true);
    CreateControls();
    SetFocusOrder();
    buildTimer_.setInterval(kBuildPollMs);
    connect(&buildTimer_, &QTimer::timeout, this, &Form1::PollBuild);
}

void Form1::CreateControls() {
    label1_ = PlaceLabel(this, "Label1", QStringLiteral("歌名："), TwipsRect(120, 120, 615, 255));
    text1_ = PlaceLineEdit(this, "Text1", TwipsRect(840, 120, 2175, 270));
    list1_ = Place<SongList>(this, "List1", TwipsRect(3120, 120, 2055, 2730));
    label2_ = PlaceLabel(this, "Label2", QStringLiteral("歌词："), TwipsRect(120, 480, 615, 255));
    command3_ =
        PlaceButton(this, "Command3", QStringLiteral("添加"), TwipsRect(1920, 480, 1095, 255));
    text2_ = Place<QPlainTextEdit>(this, "Text2", TwipsRect(120, 795, 2895, 2055));
    text2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text2_->setTabChangesFocus(true);
    label3_ =
        PlaceLabel(this, "Label3", QStringLiteral("保存路径："), TwipsRect(120, 3000, 975, 255));
    text3_ = PlaceLineEdit(this, "Text3", TwipsRect(1200, 3000, 3015, 270));
    command1_ =
        PlaceButton(this, "Command1", QStringLiteral("更改"), TwipsRect(4320, 3000, 855, 255));
    label5_ =
        PlaceLabel(this, "Label5", QStringLiteral("自定义封面："), TwipsRect(120, 3360, 1215, 255));
    text4_ = PlaceLineEdit(this, "Text4", TwipsRect(1440, 3360, 2775, 270));
    text4_->setText(QStringLiteral("Text4"));
    command4_ =
        PlaceButton(this, "Command4", QStringLiteral("更改"), TwipsRect(4320, 3360, 855, 255));
    command2_ =
        PlaceButton(this, "Command2", QStringLiteral("开始制作"), TwipsRect(120, 3720, 1215, 255));
    label4_ =
        PlaceLabel(this, "Label4", QStringLiteral("等待制作..."), TwipsRect(1560, 3770, 1695, 225));
    command5_ = PlaceButton(this, "Command5", QStringLiteral("打开成品文件夹"),
                            TwipsRect(3480, 3720, 1695, 255));

    connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(command4_, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(command5_, &QPushButton::clicked, this, &Form1::Command5_Click);
    CreateListActions();
}

void Form1::CreateListActions() {
    setAcceptDrops(true);
    for (QObject* target : std::initializer_list<QObject*>{this, text1_, text2_->viewport(), text3_,
                                                           text4_, list1_->viewport()}) {
        target->installEventFilter(this);
    }
    list1_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list1_, &QWidget::customContextMenuRequested, this, &Form1::ShowListMenu);
    connect(list1_, &QListWidget::itemDoubleClicked, this,
            [this] { EditSong(list1_->selected()); });
    connect(list1_, &SongList::editRequested, this, &Form1::EditSong);
    connect(list1_, &SongList::removeRequested, this, &Form1::RemoveSong);
    connect(list1_, &SongList::moveRequested, this, &Form1::MoveSong);
}

void Form1::SetFocusOrder() {
    const QList<QWidget*> order{list1_,    text1_,    text2_, text3_,    command1_,
                                command2_, command3_, text4_, command4_, command5_};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    list1_->setFocus();
}

bool Form1::Form_Load() {
    return Guarded([this] {
        run_.ReadyToMake();
        text3_->setText(QString::fromStdString(run_.Layout().FinishedFolder().string()));
    });
}

bool Form1::Guarded(const std::function<void()>& handler) {
    std::u16string message;
    try {
        handler();
    } catch (const velmora::Failure& failure) {
        message = failure.message();
    } catch (const std::exception& error) {
        message = u"操作未能完成：" + QString::fromUtf8(error.what()).toStdU16String();
    } catch (...) {
        message = u"操作未能完成：未知错误";
    }
    // Before the box: its event loop must not poll a build that has ended.
    SyncBuildTimer();
    if (!message.empty()) {
        showMessage(message, velmora::kAppTitle);
    }
    return message.empty();
}

void Form1::SyncBuildTimer() {
    if (maker_.Running()) {
        buildTimer_.start();
    } else {
        buildTimer_.stop();
    }
}

void Form1::Command1_Click() {
    commonDialog1_.ShowSave(this);
    text3_->setText(commonDialog1_.FileName());
}

void Form1::Command2_Click() {
    Guarded([this] { maker_.MakeBook([this] { return CoverJpeg(text4_->text()); }); });
}

void Form1::Command3_Click() {
    const std::u16string songName = text1_->text().toStdU16String();
    const std::u16string lyric = TypedLyric(*text2_);
    Guarded([&] { run_.AddLyric(songName, lyric); });
}

void Form1::Command4_Click() {
    commonDialog2_.ShowSave(this);
    text4_->setText(commonDialog2_.FileName());
}

void Form1::Command5_Click() {
    opener_.Open(text3_->text());
}

void Form1::ShowListMenu(const QPoint& at) {
    QListWidgetItem* item = list1_->itemAt(at);
    if (item != nullptr) {
        list1_->setCurrentItem(item);
    }
    const int n = item != nullptr ? list1_->selected() : 0;
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("修改…")), &QAction::triggered, this,
            [this, n] { EditSong(n); });
    connect(menu.addAction(QStringLiteral("删除")), &QAction::triggered, this,
            [this, n] { RemoveSong(n); });
    QAction* up = menu.addAction(QStringLiteral("上移"));
    QAction* down = menu.addAction(QStringLiteral("下移"));
    for (QAction* action : menu.actions()) {
        action->setEnabled(n > 0);
    }
    up->setEnabled(n > 1);
    down->setEnabled(n > 0 && n < list1_->count());
    connect(up, &QAction::triggered, this, [this, n] { MoveSong(n, n - 1); });
    connect(down, &QAction::triggered, this, [this, n] { MoveSong(n, n + 1); });
    menu.addSeparator();
    connect(menu.addAction(QStringLiteral("导入…")), &QAction::triggered, this,
            &Form1::ChooseImport);
    menu.exec(list1_->viewport()->mapToGlobal(at));
}

void Form1::ChooseImport() {
    Import(dialogs_.runOpenDialog(
        this, QStringLiteral("导入歌曲"),
        NameFilters(
            QStringLiteral("歌词文件(*.lrc;*.txt;*.epub)|*.lrc;*.txt;*.epub|所有文件(*)|*"))));
}

void Form1::Import(const QStringList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    std::vector<std::filesystem::path> given;
    for (const QString& path : paths) {
        given.emplace_back(path.toStdString());
    }
    velmora::ImportReport report;
    ImportProgressDialog progress(this);
    // Songs in before a failure stay; the failure is shown, then what was skipped.
    Guarded([&] { report = velmora::Import(run_, velmora::ImportFiles(given), progress); });
    if (const std::u16string summary = velmora::ImportSummary(report); !summary.empty()) {
        showMessage(summary, velmora::kAppTitle);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QWidget::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = LocalFiles(drop->mimeData());
    if (files.isEmpty()) {
        return QWidget::eventFilter(watched, event);
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        // After the drop has ended: the file manager is not kept waiting.
        QTimer::singleShot(0, this, [this, files] { Import(files); });
    }
    return true;
}

void Form1::EditSong(int n) {
    if (n == 0) {
        return;
    }
    const velmora::SongCollection& songs = run_.Songs();
    EditSongDialog dialog(this, songs.SongNames()[static_cast<std::size_t>(n)], songs.Lyric(n),
                          [this, n](const std::u16string& name, const std::u16string& lyric) {
                              bool edited = false;
                              Guarded([&] { edited = run_.EditLyric(n, name, lyric); });
                              return edited;
                          });
    dialog.exec();
}

void Form1::RemoveSong(int n) {
    const std::u16string& name = run_.Songs().SongNames()[static_cast<std::size_t>(n)];
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("提示"),
                    ToQString(u"确定删除第 " + velmora::Decimal(n) + u" 首《" + name + u"》吗？"),
                    QMessageBox::NoButton, this);
    QPushButton* remove = box.addButton(QStringLiteral("删除"), QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
    box.setDefaultButton(remove);
    box.exec();
    if (box.clickedButton() == remove) {
        Guarded([this, n] { run_.RemoveLyric(n); });
    }
}

void Form1::MoveSong(int from, int to) {
    Guarded([this, from, to] { run_.MoveLyric(from, to); });
}

void Form1::PollBuild() {
    if (!buildTimer_.isActive()) {
        return;
    }
    // The save-path box is read once the book is made.
    Guarded([this] {
        if (maker_.Running() && maker_.Poll()) {
            maker_.CopyBook(text3_->text().toStdU16String());
        }
    });
}

void Form1::showMessage(const std::u16string& text, const std::u16string& title) {
    QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text), QMessageBox::Ok, this);
    box.exec();
}

void Form1::appendListEntry(const std::u16string& entry) {
    list1_->addItem(ToQString(entry));
}

void Form1::showListFrom(int n, const std::vector<std::u16string>& entries) {
    int row = n - 1;
    for (const std::u16string& entry : entries) {
        const QString text = ToQString(entry);
        if (row >= list1_->count()) {
            list1_->addItem(text);
        } else if (list1_->item(row)->text() != text) {
            list1_->item(row)->setText(text);
        }
        ++row;
    }
    while (list1_->count() > row) {
        delete list1_->takeItem(list1_->count() - 1);
    }
}

void Form1::selectListEntry(int n) {
    list1_->setCurrentRow(n - 1);
}

void Form1::emptyInputBoxes() {
    text1_->clear();
    text2_->clear();
}

void Form1::setStatus(const std::u16string& text) {
    label4_->setText(ToQString(text));
}
