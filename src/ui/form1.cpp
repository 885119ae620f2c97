#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTimer>
#include <cmath>
#include <limits>

#include "edit_song_dialog.h"
#include "epub/book_info.h"
#include "lyric_box.h"
#include "song_list.h"
#include "wording.h"

namespace {

// Positions and sizes are given in twips: 15 make one pixel at 96 dpi. Qt's high-DPI
// scaling takes the pixels on to other screens.
int Pixels(double twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

// The first size: the table's, a row for the book's title and author, and room for
// "传到手机" beside "打开成品文件夹".
const QRect kWindowTwips(0, 0, 6615, 4530);

// What the next start remembers (QSettings, the desktop's configuration folder).
const QString kCoverKey = QStringLiteral("cover");
const QString kSavePlaceKey = QStringLiteral("savePlace");
const QString kImportFolderKey = QStringLiteral("importFolder");
const QString kGeometryKey = QStringLiteral("geometry");

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

bool IsCtrlEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->modifiers() == Qt::ControlModifier &&
           (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

}  // namespace

Form1::Form1(Session& session, FileDialogRunner& dialogs, QWidget* parent)
    : QWidget(parent),
      session_(session),
      dialogs_(dialogs),
      commonDialog1_(QStringLiteral("选择保存路径"), QStringLiteral("电子出版(*.epub)|*.epub"),
                     QStringLiteral("我的歌词本"), dialogs),
      commonDialog2_(QStringLiteral("选择封面图片"),
                     QStringLiteral("所有图像文件(*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png|"
                                    "JPEG文件交换格式(*.jpg;*.jpeg)|*.jpg;*.jpeg|"
                                    "可移植网络图形(*.png)|*.png"),
                     QString(), dialogs) {
    setWindowTitle(QStringLiteral("Velmora " VELMORA_VERSION));
    setWindowIcon(QIcon(QStringLiteral(":/velmora.png")));
    resize(Pixels(kWindowTwips.width()), Pixels(kWindowTwips.height()));
    setMinimumSize(size());
    // The window (text-area) background, not the button face.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    setPalette(palette);
    setAutoFillBackground(true);
    CreateControls();
    SetFocusOrder();
    connect(&session_, &Session::statusChanged, this, &Form1::ShowStatus);
}

template <typename Widget>
Widget* Form1::Place(const char* name, QRect twips, Grow grow) {
    auto* widget = new Widget(this);
    widget->setObjectName(QLatin1String(name));
    anchors_.push_back({widget, twips, grow});
    return widget;
}

QLabel* Form1::PlaceLabel(const char* name, const QString& caption, QRect twips, Grow grow) {
    auto* label = Place<QLabel>(name, twips, grow);
    label->setText(caption);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// A box named by its label (the label's caption without its colon), for screen readers.
QLineEdit* Form1::PlaceLineEdit(const char* name, QLabel* label, QRect twips, Grow grow) {
    auto* edit = Place<QLineEdit>(name, twips, grow);
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setAccessibleName(label->text().chopped(1));
    label->setBuddy(edit);
    return edit;
}

QPushButton* Form1::PlaceButton(const char* name, const QString& caption, QRect twips, Grow grow) {
    auto* button = Place<QPushButton>(name, twips, grow);
    button->setText(caption);
    // No default button: Enter in a one-line box presses nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// The list and the lyric box share the extra width and take all the extra height; the
// rows below them move down, their boxes widen and their buttons keep to the right.
void Form1::CreateControls() {
    const Grow down{0, 0, 1, 0};
    const Grow wide{0, 1, 1, 0};
    const Grow right{1, 0, 1, 0};
    QLabel* label1 = PlaceLabel("Label1", QStringLiteral("歌名："), {120, 120, 615, 255});
    text1_ = PlaceLineEdit("Text1", label1, {840, 120, 2775, 270}, {0, 0.5, 0, 0});
    list1_ = Place<SongList>("List1", {3720, 120, 2655, 2730}, {0.5, 0.5, 0, 1});
    list1_->setModel(session_.Model());
    list1_->setAccessibleName(QStringLiteral("歌曲列表"));
    QLabel* label2 = PlaceLabel("Label2", QStringLiteral("歌词："), {120, 480, 615, 255});
    command3_ = PlaceButton("Command3", QStringLiteral("添加"), {2520, 480, 1095, 255}, {0.5});
    text2_ = Place<QPlainTextEdit>("Text2", {120, 795, 3495, 2055}, {0, 0.5, 0, 1});
    text2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text2_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text2_->setTabChangesFocus(true);
    text2_->setAccessibleName(QStringLiteral("歌词"));
    label2->setBuddy(text2_);
    QLabel* label3 =
        PlaceLabel("Label3", QStringLiteral("保存路径："), {120, 3000, 975, 255}, down);
    text3_ = PlaceLineEdit("Text3", label3, {1200, 3000, 4215, 270}, wide);
    command1_ = PlaceButton("Command1", QStringLiteral("更改"), {5520, 3000, 855, 255}, right);
    command1_->setAccessibleDescription(QStringLiteral("选择保存路径"));
    QLabel* label5 =
        PlaceLabel("Label5", QStringLiteral("自定义封面："), {120, 3360, 1215, 255}, down);
    text4_ = PlaceLineEdit("Text4", label5, {1440, 3360, 3975, 270}, wide);
    text4_->setText(QStringLiteral("Text4"));
    command4_ = PlaceButton("Command4", QStringLiteral("更改"), {5520, 3360, 855, 255}, right);
    command4_->setAccessibleDescription(QStringLiteral("选择封面图片"));
    // The book's own name: a row of its own above the Make row.
    QLabel* label6 = PlaceLabel("Label6", QStringLiteral("书名："), {120, 3720, 615, 255}, down);
    text5_ = PlaceLineEdit("Text5", label6, {840, 3720, 2775, 270}, {0, 0.5, 1, 0});
    text5_->setText(QString::fromStdU16String(velmora::kDefaultTitle));
    QLabel* label7 =
        PlaceLabel("Label7", QStringLiteral("作者："), {3720, 3720, 615, 255}, {0.5, 0, 1, 0});
    text6_ = PlaceLineEdit("Text6", label7, {4335, 3720, 2040, 270}, {0.5, 0.5, 1, 0});
    text6_->setText(QString::fromStdU16String(velmora::kDefaultAuthor));
    command2_ = PlaceButton("Command2", QStringLiteral("开始制作"), {120, 4080, 1215, 255}, down);
    label4_ = PlaceLabel("Label4", QStringLiteral("等待制作..."), {1560, 4130, 1695, 225}, wide);
    command6_ = PlaceButton("Command6", QStringLiteral("传到手机"), {3480, 4080, 1095, 255}, right);
    command6_->setAccessibleDescription(QStringLiteral("扫码下载到手机"));
    command5_ =
        PlaceButton("Command5", QStringLiteral("打开成品文件夹"), {4680, 4080, 1695, 255}, right);

    connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(command4_, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(command5_, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(command6_, &QPushButton::clicked, this, &Form1::Command6_Click);
    // The button is for the book the title box names, once it is there.
    connect(text5_, &QLineEdit::textChanged, this, &Form1::ShowPhoneButton);
    connect(&session_, &Session::statusChanged, this, &Form1::ShowPhoneButton);
    for (QLineEdit* box : {text3_, text4_, text5_, text6_}) {
        connect(box, &QLineEdit::editingFinished, this, &Form1::KeepBoxes);
    }
    CreateListActions();
    CreateUndoActions();
}

void Form1::CreateUndoActions() {
    QUndoStack* changes = session_.Changes();
    undo_ = new QAction(QStringLiteral("撤销"), this);
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = new QAction(QStringLiteral("重做"), this);
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo_, redo_}) {
        // A text box takes these keys for its own typing while it has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        action->setShortcutVisibleInContextMenu(true);
        addAction(action);
    }
    undo_->setEnabled(changes->canUndo());
    redo_->setEnabled(changes->canRedo());
    connect(changes, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    connect(changes, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
    connect(undo_, &QAction::triggered, &session_, &Session::Undo);
    connect(redo_, &QAction::triggered, &session_, &Session::Redo);
}

velmora::RunBoxes Form1::Boxes() const {
    return {text4_->text().toStdU16String(), text3_->text().toStdU16String(),
            text5_->text().toStdU16String(), text6_->text().toStdU16String()};
}

void Form1::ShowBoxes(const velmora::RunBoxes& boxes) {
    text4_->setText(QString::fromStdU16String(boxes.cover));
    if (!boxes.savePlace.empty()) {
        text3_->setText(QString::fromStdU16String(boxes.savePlace));
    }
    // Kept by a run made before books had names: they keep the boxes' start values.
    if (!boxes.title.empty()) {
        text5_->setText(QString::fromStdU16String(boxes.title));
        text6_->setText(QString::fromStdU16String(boxes.author));
    }
}

void Form1::resizeEvent(QResizeEvent* event) {
    const double extraWidth = width() - Pixels(kWindowTwips.width());
    const double extraHeight = height() - Pixels(kWindowTwips.height());
    for (const auto& [control, at, grow] : anchors_) {
        control->setGeometry(Pixels(at.left()) + static_cast<int>(grow.left * extraWidth),
                             Pixels(at.top()) + static_cast<int>(grow.top * extraHeight),
                             Pixels(at.width()) + static_cast<int>(grow.width * extraWidth),
                             Pixels(at.height()) + static_cast<int>(grow.height * extraHeight));
    }
    FitStatus();
    QWidget::resizeEvent(event);
}

void Form1::CreateListActions() {
    setAcceptDrops(true);
    for (QObject* target : std::initializer_list<QObject*>{this, text1_, text2_, text2_->viewport(),
                                                           text3_, text4_, list1_->viewport()}) {
        target->installEventFilter(this);
    }
    list1_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list1_, &QWidget::customContextMenuRequested, this, &Form1::ShowListMenu);
    connect(list1_, &QListView::doubleClicked, this, [this] { EditSong(list1_->selected()); });
    connect(list1_, &SongList::editRequested, this, &Form1::EditSong);
    connect(list1_, &SongList::removeRequested, this, &Form1::RemoveSong);
    connect(list1_, &SongList::moveRequested, this, &Form1::MoveSong);
    auto* import = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(import, &QShortcut::activated, this, &Form1::ChooseImport);
}

void Form1::SetFocusOrder() {
    const QList<QWidget*> order{list1_, text1_,    text2_, text3_, command1_, command2_, command3_,
                                text4_, command4_, text5_, text6_, command6_, command5_};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    text1_->setFocus();
}

bool Form1::Form_Load() {
    if (!session_.Load()) {
        return false;
    }
    const QSettings remembered;
    text3_->setText(
        remembered
            .value(kSavePlaceKey,
                   QString::fromStdString(session_.Run().Layout().FinishedFolder().string()))
            .toString());
    text4_->setText(remembered.value(kCoverKey, text4_->text()).toString());
    restoreGeometry(remembered.value(kGeometryKey).toByteArray());
    ShowPhoneButton();
    return true;
}

void Form1::OfferRestore() {
    if (const auto boxes = session_.OfferRestore()) {
        ShowBoxes(*boxes);
    }
}

void Form1::KeepBoxes() {
    QSettings remembered;
    remembered.setValue(kCoverKey, text4_->text());
    remembered.setValue(kSavePlaceKey, text3_->text());
    session_.KeepBoxes(Boxes());
}

void Form1::closeEvent(QCloseEvent* event) {
    QSettings().setValue(kGeometryKey, saveGeometry());
    QWidget::closeEvent(event);
}

void Form1::Command1_Click() {
    const bool chosen = commonDialog1_.ShowSave(this);
    text3_->setText(commonDialog1_.FileName());
    if (chosen) {
        // The dialog asked before an existing file was chosen.
        session_.Confirmed(Boxes());
    }
    KeepBoxes();
}

void Form1::Command2_Click() {
    session_.Make(Boxes());
}

void Form1::Command3_Click() {
    if (session_.Add(text1_->text().toStdU16String(), TypedLyric(*text2_))) {
        text1_->clear();
        text2_->clear();
        text1_->setFocus();
    }
}

void Form1::Command4_Click() {
    commonDialog2_.ShowOpen(this);
    text4_->setText(commonDialog2_.FileName());
    KeepBoxes();
}

void Form1::Command5_Click() {
    session_.OpenFolder(text3_->text());
}

void Form1::Command6_Click() {
    session_.ShareBook(text5_->text().toStdU16String(), this);
    ShowPhoneButton();
}

void Form1::ShowPhoneButton() {
    const auto book = session_.Run().Layout().BookPath(text5_->text().toStdU16String());
    command6_->setEnabled(QFileInfo(book).isFile());
}

void Form1::ShowStatus(const QString& text, const QString& more) {
    status_ = text;
    label4_->setToolTip(more);
    FitStatus();
}

// A status longer than its label is cut in the middle: its start and its end both say
// something (制作完成 … the copy's name).
void Form1::FitStatus() {
    label4_->setText(label4_->fontMetrics().elidedText(status_, Qt::ElideMiddle, label4_->width()));
}

void Form1::ShowListMenu(const QPoint& at) {
    const QModelIndex index = list1_->indexAt(at);
    if (index.isValid()) {
        list1_->setCurrentIndex(index);
    }
    const int n = list1_->selected();
    const int count = session_.Run().Songs().SongCount();
    QMenu menu(this);
    menu.addActions({undo_, redo_});
    menu.addSeparator();
    const auto add = [&](const QString& text, QKeySequence keys, bool enabled, auto slot) {
        QAction* action = menu.addAction(text);
        action->setShortcut(keys);
        // Shown, not bound: the list's own keys do these.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    add(QStringLiteral("修改…"), QKeySequence(Qt::Key_Return), n > 0, [this, n] { EditSong(n); });
    add(QStringLiteral("删除"), QKeySequence(QKeySequence::Delete), n > 0,
        [this, n] { RemoveSong(n); });
    add(QStringLiteral("上移"), QKeySequence(Qt::CTRL | Qt::Key_Up), n > 1,
        [this, n] { MoveSong(n, n - 1); });
    add(QStringLiteral("下移"), QKeySequence(Qt::CTRL | Qt::Key_Down), n > 0 && n < count,
        [this, n] { MoveSong(n, n + 1); });
    menu.addSeparator();
    add(QStringLiteral("导入…"), QKeySequence(Qt::CTRL | Qt::Key_O), true,
        [this] { ChooseImport(); });
    menu.exec(list1_->viewport()->mapToGlobal(at));
}

void Form1::ChooseImport() {
    QSettings remembered;
    const QStringList files = dialogs_.runOpenDialog(
        this, QStringLiteral("导入歌曲"),
        NameFilters(
            QStringLiteral("歌词文件(*.lrc;*.txt;*.epub)|*.lrc;*.txt;*.epub|所有文件(*)|*")),
        true, remembered.value(kImportFolderKey).toString());
    if (!files.isEmpty()) {
        remembered.setValue(kImportFolderKey, QFileInfo(files.first()).absolutePath());
    }
    Import(files);
}

void Form1::Import(const QStringList& paths) {
    std::vector<std::filesystem::path> given;
    for (const QString& path : paths) {
        given.emplace_back(QFile::encodeName(path).toStdString());
    }
    Import(given);
}

void Form1::Import(const std::vector<std::filesystem::path>& paths) {
    if (const auto boxes = session_.Import(paths, this, Boxes())) {
        ShowBoxes(*boxes);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text2_ && IsCtrlEnter(event)) {
        Command3_Click();
        return true;
    }
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
    EditSongDialog dialog(this, session_.Run().Songs().At(n),
                          [this, n](const velmora::Song& song) { return session_.Edit(n, song); });
    if (dialog.exec() == QDialog::Accepted) {
        list1_->select(n);
    }
}

void Form1::RemoveSong(int n) {
    const QString name = Elided(session_.Run().Songs().At(n).name);
    if (Ask(QStringLiteral("确定删除第 %1 首《%2》吗？").arg(n).arg(name), QStringLiteral("提示"),
            QStringLiteral("删除"), QStringLiteral("取消"), true) &&
        session_.Remove(n)) {
        list1_->select(std::min(n, session_.Run().Songs().SongCount()));
    }
}

void Form1::MoveSong(int from, int to) {
    if (session_.Move(from, to)) {
        list1_->select(to);
    }
}

bool Form1::Ask(const QString& text, const QString& title, const QString& yes, const QString& no,
                bool yesIsDefault) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, this);
    QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* reject = box.addButton(no, QMessageBox::RejectRole);
    box.setEscapeButton(reject);
    box.setDefaultButton(yesIsDefault ? accept : reject);
    box.exec();
    return box.clickedButton() == accept;
}

void Form1::ShowMessage(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
    box.exec();
}
