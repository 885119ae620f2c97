#include <QtTest>
#include <QtWidgets>

#include "app/path_names.h"
#include "cover/cover_drawing.h"
#include "print/chinese_font.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "ui/ending.h"
#include "ui/failure_wording.h"
#include "ui/form1.h"
#include "ui/phone/phone_dialog.h"
#include "ui/remembered.h"
#include "ui/song_list.h"
#include "ui/wording.h"
#include "workspace/journal.h"

namespace fs = std::filesystem;
using namespace velmora::testing;

namespace {

// A space no line end trims. Under Wine the song log's GB18030 is GBK, which has no U+00A0:
// there the ideographic space.
#ifdef _WIN32
constexpr char16_t kOddSpace = u'\u3000';
#else
constexpr char16_t kOddSpace = u'\u00A0';
#endif

// Answers each dialog with the next queued path, or cancels when none is queued.
class FakeDialogs : public FileDialogRunner {
public:
    std::optional<QString> runSaveDialog(QWidget*, const QString& title, const QStringList& filters,
                                         const QString& fileName) override {
        seen << "save|" + title + '|' + filters.join('|') + '|' + fileName;
        return answers.isEmpty() ? std::nullopt : std::optional(answers.takeFirst());
    }
    QStringList runOpenDialog(QWidget*, const QString& title, const QStringList& filters,
                              bool several, const QString&) override {
        seen << QString(several ? "open*|" : "open|") + title + '|' + filters.join('|');
        return answers.isEmpty() ? QStringList() : QStringList(answers.takeFirst());
    }
    std::optional<QString> runFolderDialog(QWidget*, const QString& title,
                                           const QString& start) override {
        seen << "folder|" + title;
        starts << start;
        return answers.isEmpty() ? std::nullopt : std::optional(answers.takeFirst());
    }
    QStringList seen, answers, starts;
};

// Answers each message box with the button of the next queued caption, else with its
// default ("closed": none, as when the program ends with the box open), and keeps
// "title|text" of each and its default button's caption.
class FakeBoxes : public MessageBoxRunner {
public:
    int runMessageBox(QWidget*, const QString& title, const QString& text,
                      const QStringList& buttons, int defaultButton) override {
        asked << title + '|' + text;
        defaults << (buttons.isEmpty() ? QString() : buttons.at(defaultButton));
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        if (answer == "closed") {
            return -1;
        }
        if (!answer.isEmpty() && !buttons.contains(answer)) {
            asked << "no button " + answer;  // shows in the caller's comparison
        }
        return buttons.contains(answer) ? static_cast<int>(buttons.indexOf(answer)) : defaultButton;
    }
    // The next queued answer ("": the text proposed; "closed": none).
    std::optional<QString> runTextQuestion(QWidget*, const QString& title, const QString& text,
                                           const QString& proposed) override {
        asked << title + '|' + text + '|' + proposed;
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        return answer == "closed" ? std::nullopt
                                  : std::optional(answer.isEmpty() ? proposed : answer);
    }
    // What was asked since the last look.
    QStringList Asked() { return std::exchange(asked, {}); }

    QStringList asked, answers, defaults;
};

// Runs `script` on the dialog or the menu that `open` shows, once it is up.
void WhileShown(const std::function<void(QWidget*)>& script, const std::function<void()>& open) {
    QTimer::singleShot(0, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        script(popup != nullptr ? popup : QApplication::activeModalWidget());
    });
    open();
}

// Chinese arrives as an input method's committed text, as a user's IME sends it.
void Type(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

QString Path(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// A transparent image file.
QString Image(const fs::path& path, QSize size, const char* format) {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.save(Path(path), format);
    return Path(path);
}

QImage Decoded(const std::string& jpeg) {
    return QImage::fromData(QByteArray::fromStdString(jpeg), "JPEG");
}

}  // namespace

// The window as its user drives it. What its services decide, their own tests check: here,
// that the window asks them, and shows and says what comes back.
class Form1Test : public QObject {
    Q_OBJECT

    QTemporaryDir settings;
    std::unique_ptr<ProgramFolder> app;
    FixedClock clock{kNewYear2024};
    FakeDialogs dialogs;
    FakeBoxes boxes;
    std::unique_ptr<Application> application;
    std::unique_ptr<Form1> form;

    template <typename T = QWidget>
    T* control(const char* name) {
        return form->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* box(const char* name) { return control<QLineEdit>(name); }
    QListView* list() { return control<QListView>("List1"); }
    QLabel* status() { return control<QLabel>("Label4"); }
    // A menu item, by its name; the 编辑 menu's as they stand when it opens.
    QAction* action(const char* name) {
        emit control<QMenu>("EditMenu")->aboutToShow();
        return form->findChild<QAction*>(QLatin1String(name));
    }
    void click(const char* button) { QTest::mouseClick(control(button), Qt::LeftButton); }
    // 开始制作, and whether the build then ended well.
    bool built() {
        click("Command2");
        return QTest::qWaitFor([&] { return status()->text().startsWith("制作完成"); }, 20000);
    }

    void addSong(const QString& name, const QString& firstLine, const QString& secondLine) {
        Type(control("Text1"), name);
        Type(control("Text2"), firstLine);
        QTest::keyClick(control("Text2"), Qt::Key_Return);
        Type(control("Text2"), secondLine);
        click("Command3");
    }
    // Drops `urls` on the lyric box, as a drag enters it first.
    void drop(const QList<QUrl>& urls) {
        QMimeData files;
        files.setUrls(urls);
        QWidget* target = control<QPlainTextEdit>("Text2")->viewport();
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
    QStringList entries() {
        QStringList texts;
        for (int row = 0; row < list()->model()->rowCount(); ++row) {
            texts << list()->model()->index(row, 0).data(Qt::AccessibleTextRole).toString();
        }
        return texts;
    }
    // The context menu on song n, opened by `open`: "text|shortcut|enabled" for each of its
    // entries. Song 0 is the list's empty space; `choose` names the entry then chosen, if any.
    QStringList menuOn(int n, const char* choose = "", std::function<void()> open = {}) {
        const QPoint at = n > 0 ? list()->visualRect(list()->model()->index(n - 1, 0)).center()
                                : list()->viewport()->rect().bottomLeft();
        if (!open) {
            open = [&] { emit list()->customContextMenuRequested(at); };
        }
        QStringList texts;
        WhileShown(
            [&](QWidget* menu) {
                for (QAction* action : qobject_cast<QMenu*>(menu)->actions()) {
                    if (!action->isSeparator()) {
                        texts << action->text() + '|' + action->shortcut().toString() + '|' +
                                     QString::number(action->isEnabled());
                    }
                    if (action->objectName() == QLatin1String(choose)) {
                        action->trigger();
                    }
                }
                menu->close();
            },
            open);
        return texts;
    }

    // A window on the program folder, as the program starts it.
    void start() {
        form.reset();
        application.reset();
        application = std::make_unique<Application>(app->path(), clock);
        form = std::make_unique<Form1>(*application, dialogs, boxes);
        QVERIFY(form->Form_Load());
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // Remembered boxes of this process only: another test run may remember other ones.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QCoreApplication::setOrganizationName("Velmora");
        QCoreApplication::setApplicationName("Velmora");
    }

    void init() {
        QSettings().clear();
        boxes = {};
        form.reset();  // the previous test's window goes before its folder
        application.reset();
        app = std::make_unique<ProgramFolder>();
        start();
    }

    // Whatever a handler raises is said; what was typed comes in exactly, lines ending in
    // CR LF; Enter in the name box goes on to the lyric; Ctrl+Enter adds as 添加 does, and the
    // name box has the focus again.
    void addsWhatWasTyped() {
        QTest::keyClick(control("Text1"), Qt::Key_Return);
        QCOMPARE(form->focusWidget(), control("Text2"));
        Type(control("Text7"), "李白");
        {
            InjectedFaults faults({Throws(Call::Open, "part0000.html")});
            addSong("月光", "床前\u00A0明月光", "疑是地上霜");
        }
        QCOMPARE(boxes.Asked(), QStringList{"Velmora|操作未能完成：std::bad_alloc"});
        QTest::keyClick(control("Text2"), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(entries(), QStringList{"1:月光"});
        QCOMPARE(application->SongAt(1).lyric, u"床前\u00A0明月光\r\n疑是地上霜");
        QCOMPARE(application->SongAt(1).artist, u"李白");  // kept in its box for the next song
        QCOMPARE(list()->model()->index(0, 0).data(Qt::AccessibleDescriptionRole), "李白");
        QCOMPARE(box("Text7")->text() + control<QLabel>("Label9")->text(), "李白共 1 首");
        QVERIFY(box("Text1")->text().isEmpty() &&
                control<QPlainTextEdit>("Text2")->toPlainText().isEmpty());
        QCOMPARE(form->focusWidget(), control("Text1"));
    }

    // A lyric typed with credit lines at its top is added as typed; a link offers to make
    // them its credits, as an import takes them, in one change undo takes back.
    void typedCreditLinesBecomeCreditsWhenAsked() {
        addSong("月光", "没有词曲信息", "x");
        auto* offer = control<QLabel>("CreditsOffer");
        QVERIFY(!offer->isVisible());
        addSong("凡人歌", "作词：李宗盛", "作曲：李宗盛");
        QVERIFY(!offer->isVisible());  // nothing but credits: no lyric would be left
        Type(control("Text1"), "山丘");
        Type(control("Text2"), "山丘 - 李宗盛\n词：李宗盛\n\n越过山丘");
        click("Command3");
        QCOMPARE(application->SongAt(3).lyric, u"山丘 - 李宗盛\r\n词：李宗盛\r\n\r\n越过山丘");
        QVERIFY(offer->isVisible());
        QCOMPARE(status()->text(), "已添加。开头几行像词曲信息：");
        emit offer->linkActivated("credits");
        QVERIFY(!offer->isVisible());
        QCOMPARE(application->SongAt(3),
                 (velmora::Song{u"山丘", u"越过山丘", u"", u"山丘 - 李宗盛\r\n词：李宗盛"}));
        QVERIFY(application->History().Undo().Made());
        QCOMPARE(application->SongAt(3).lyric, u"山丘 - 李宗盛\r\n词：李宗盛\r\n\r\n越过山丘");
        // A change to the song first: the offer goes.
        Type(control("Text1"), "B");
        Type(control("Text2"), "作词：甲\n乙");
        click("Command3");
        QVERIFY(offer->isVisible());
        QVERIFY(application->History().Remove(4).Made());
        QVERIFY(!offer->isVisible());
    }

    // The dialogs fill the boxes, which are read when 开始制作 is pressed, not while 7za
    // packs; the status says where the copy went (both ends kept), or that the build failed.
    void buildsWhatTheBoxesSayWithoutBlocking() {
        addSong("月光", "a", "b");
        const QStringList before{box("Text3")->text(), box("Text4")->text()};
        click("Command1");
        click("Command4");
        QCOMPARE((QStringList{box("Text3")->text(), box("Text4")->text()}), before);  // cancelled
        const fs::path copy = app->path() / "finished" / "copy.epub";
        dialogs.answers = {Path(copy).chopped(5), Image(*app / "cover.png", {40, 80}, "PNG")};
        click("Command1");
        click("Command4");
        QCOMPARE(dialogs.seen.mid(2),
                 (QStringList{"save|选择保存路径|电子出版(*.epub) (*.epub)|我的歌词本",
                              "open|选择封面图片|所有图像文件(*.jpg;*.jpeg;*.png) (*.jpg *.jpeg "
                              "*.png)|JPEG文件交换格式(*.jpg;*.jpeg) (*.jpg *.jpeg)|"
                              "可移植网络图形(*.png) (*.png)"}));
        // The box shows its picture, made aside; a box naming no image, none.
        const auto shown = [&] { return control<QLabel>("CoverPreview")->pixmap(); };
        QTRY_VERIFY(!shown().isNull() && qAbs(shown().width() * 2 - shown().height()) <= 1);
        click("Command2");
        QCOMPARE(status()->text(), "正在制作，请稍等...");
        // Not to be pressed again while it builds, by its button or its key.
        const auto makeable = [&] {
            return control("Command2")->isEnabled() + action("Make")->isEnabled();
        };
        QCOMPARE(makeable(), 0);
        box("Text3")->setText("other.epub");
        QTRY_COMPARE_WITH_TIMEOUT(status()->toolTip(), Path(copy), 20000);
        QCOMPARE(makeable(), 2);
        QVERIFY(status()->text().startsWith("制作完成，") && status()->text().endsWith(".epub"));
        QVERIFY(!fs::exists(app->path() / "finished" / "other.epub"));
        QCOMPARE(Decoded(ExtractBook(copy).at("cover.jpeg")).size(), QSize(40, 80));
        // A folder not there is offered to be made: 取消 builds nothing; one that cannot be
        // made is said, and nothing is built either.
        const fs::path gone = app->path() / "gone" / "deeper" / "x.epub";
        box("Text3")->setText(Path(gone));
        boxes.answers = {"取消"};
        click("Command2");
        const QString asked = "Velmora|文件夹不存在，要新建吗？\n" + ElidedPath(gone.parent_path());
        QCOMPARE(boxes.Asked(), QStringList{asked});
        QCOMPARE(status()->toolTip(), Path(copy));
        QVERIFY(!fs::exists(app->path() / "gone"));
        click("Command2");
        QTRY_COMPARE_WITH_TIMEOUT(status()->toolTip(), Path(gone), 20000);
        QVERIFY(fs::is_regular_file(gone) && boxes.Asked() == QStringList{asked});
        const fs::path underFile = *app / "cover.png" / "in" / "x.epub";
        box("Text3")->setText(Path(underFile));
        click("Command2");
        const QStringList said = boxes.Asked();
        QCOMPARE(said.size(), 2);
        QVERIFY(
            said[1].startsWith("Velmora|无法保存电子书：" + ElidedPath(underFile.parent_path())));
        QCOMPARE(status()->toolTip(), Path(gone));
        // A copy that could not be made: the status says so too, not 制作完成 alone.
        const fs::path nowhere = *app / "cover.png" / "x.epub";
        box("Text3")->setText(Path(nowhere));
        click("Command2");
        QTRY_COMPARE_WITH_TIMEOUT(boxes.asked.size(), 1, 20000);
        QVERIFY(status()->text().startsWith("制作完成，但") && status()->text().endsWith("x.epub"));
        QCOMPARE(status()->toolTip(), Path(nowhere));
        QVERIFY(boxes.Asked()[0].contains(ElidedPath(nowhere)));
        box("Text4")->setText(Path(*app / "none.png"));
        QTRY_VERIFY(shown().isNull());
        fs::remove(app->path() / "template" / "cover.jpeg");
        box("Text4")->setText("Text4");
        // The box says why, then the status; a path that cannot be opened is said too.
        click("Command2");
        QTRY_COMPARE_WITH_TIMEOUT(status()->text(), "制作失败", 20000);
        QCOMPARE(makeable(), 2);
        box("Text3")->setText("/no/such/folder/");
        click("Command5");
        QTRY_COMPARE_WITH_TIMEOUT(boxes.asked.size(), 2, 20000);
        QCOMPARE(boxes.Asked(),
                 (QStringList{"Velmora|文件无法读入！\n" + ElidedPath(*app / "template/cover.jpeg"),
                              "Velmora|无法打开：/no/such/folder/"}));
    }

    // The menu, opened by the mouse, the Menu key or Shift+F10, and the keys change the
    // selected song, which stays selected and in sight; a long name is cut in the question.
    void listMenuAndKeysChangeTheSelectedSong() {
        for (const char* name : {"A", "B", "C"}) {
            addSong(name, "x", "y");
        }
        QCOMPARE(menuOn(1), (QStringList{"撤销|Ctrl+Z|1", "重做|Ctrl+Shift+Z|0", "修改…|Return|1",
                                         "删除|Del|1", "上移|Ctrl+Up|0", "下移|Ctrl+Down|1",
                                         "导入…|Ctrl+O|1"}));
        list()->setFocus();
        QAbstractItemModel* model = list()->model();
        // Selected as the window selects: whatever modifier a key click left standing.
        auto* songs = control<SongList>("List1");
        songs->select(3);
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
            QCOMPARE(menuOn(3, {}, [&] { QTest::keyClick(list(), key, modifiers); })[5],
                     "下移|Ctrl+Down|0");
        }
        songs->select(2);
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(entries(), (QStringList{"1:B", "2:A", "3:C"}));
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);  // the first stays first
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(entries(), (QStringList{"1:A", "2:C", "3:B"}));
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(boxes.Asked(), QStringList{"提示|确定删除第 3 首《B》吗？"});
        QCOMPARE(entries(), (QStringList{"1:A", "2:C"}));
        QCOMPARE(list()->currentIndex().row(), 1);
        // A drag moves through the model, as the view's drop asks it, into the journal.
        QVERIFY(model->moveRow({}, 0, {}, 2));
        QCOMPARE(entries(), (QStringList{"1:C", "2:A"}));
        QVERIFY(ReadBytes(*app / "temp" / "1704067200" / "lyric.txt")
                    .ends_with("<moveno=1><to=2></move no = 1>\r\n"));
        for (int n = 0; n < 40; ++n) {
            QVERIFY(application->History().Add({u"歌", u"x"}).Made());
        }
        songs->select(42);
        for (int n = 0; n < 30; ++n) {
            QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
        }
        QVERIFY(list()->viewport()->rect().contains(list()->visualRect(model->index(11, 0))));
        QVERIFY(application->History().Add({std::u16string(1'000'000, u'长'), u"x"}).Made());
        songs->select(43);
        boxes.answers = {"取消"};
        QTest::keyClick(list(), Qt::Key_Delete);
        const QStringList asked = boxes.Asked();
        QVERIFY(asked.size() == 1 && asked[0].size() < 100 && asked[0].contains("长…长"));
        QCOMPARE(application->SongCount(), 43);
    }

    // Several songs at once (Ctrl- and Shift-click, Ctrl+A): removed asking once, moved a
    // place keeping their order (not past either end), each one step that undo takes back.
    void severalSongsAtOnce() {
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            addSong(name, "x", "y");
        }
        const auto clickOn = [&](int n, Qt::KeyboardModifiers keys = {}) {
            const QModelIndex row = list()->model()->index(n - 1, 0);
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, keys,
                              list()->visualRect(row).center());
        };
        const auto names = [&] { return entries().join(' '); };
        clickOn(2);
        clickOn(4, Qt::ControlModifier);
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(names(), "1:A 2:C 3:B 4:E 5:D");
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);  // D is last: refused
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(names(), "1:B 2:A 3:D 4:C 5:E");
        QCOMPARE(list()->selectionModel()->selectedRows().size(), 2);
        QVERIFY(application->History().Undo().Made());
        QVERIFY(application->History().Undo().Made());
        QCOMPARE(names(), "1:A 2:C 3:B 4:E 5:D");
        QVERIFY(application->History().Undo().Made());
        clickOn(2);
        clickOn(4, Qt::ShiftModifier);
        boxes.answers = {"删除"};
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(boxes.Asked(), QStringList{"提示|确定删除选中的 3 首歌吗？"});
        QCOMPARE(names(), "1:A 2:E");
        QVERIFY(application->History().Undo().Made());
        QCOMPARE(names(), "1:A 2:B 3:C 4:D 5:E");
        QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
        boxes.answers = {"取消"};
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(boxes.Asked(), QStringList{"提示|确定删除选中的 5 首歌吗？"});
        QCOMPARE(application->SongCount(), 5);
    }

    // A second start's files come in once, when no modal box is open any more.
    void aSecondStartsFilesComeInOnce() {
        const fs::path lyric = *app / u8"月光.txt";
        WriteBytes(lyric, "床前明月光");
        QDialog modal(form.get());
        modal.setModal(true);
        modal.show();
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &modal; }));
        form->TakeStart({lyric});
        QVERIFY(entries().isEmpty());
        modal.close();
        QTRY_COMPARE(entries(), QStringList{"1:月光"});
        QTest::qWait(400);  // past the next look: not brought in twice
        QCOMPARE(entries(), QStringList{"1:月光"});
    }

    // 最近的书 keeps each book once, by its file, ten at most, the newest first.
    void recentBooksAreTenAtMostEachOnce() {
        for (int n = 1; n <= 12; ++n) {
            remembered::KeepRecentBook({QString("/books/%1.epub").arg(n % 11), "同名", n, {}, {}});
        }
        QStringList kept;
        for (const remembered::RecentBook& book : remembered::RecentBooks()) {
            kept << book.path + '|' + QString::number(book.songs);
        }
        QCOMPARE(kept, (QStringList{"/books/1.epub|12", "/books/0.epub|11", "/books/10.epub|10",
                                    "/books/9.epub|9", "/books/8.epub|8", "/books/7.epub|7",
                                    "/books/6.epub|6", "/books/5.epub|5", "/books/4.epub|4",
                                    "/books/3.epub|3"}));
    }

    // The menu bar shows each item's key, and each key reaches its command; 编辑 acts on the
    // song selected when it opens.
    void menuBarReachesTheCommands() {
        QStringList items;
        for (QAction* menu : form->findChild<QMenuBar*>("MenuBar")->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                items << (item->isSeparator() ? "-"
                                              : item->text() + '|' + item->shortcut().toString());
            }
        }
        QCOMPARE(items.join(' '),
                 "打开书…|Ctrl+Alt+O 最近的书| - 导入文件…|Ctrl+O 导入文件夹…|Ctrl+Shift+O - "
                 "开始制作|Ctrl+B "
                 "打开成品文件夹|Ctrl+E 传到手机|Ctrl+M - 页面设置…| 导出 PDF…|Ctrl+Shift+P "
                 "打印预览…| 打印…|Ctrl+P - 退出|Ctrl+Q 撤销|Ctrl+Z "
                 "重做|Ctrl+Shift+Z - 修改…|Return 删除|Del 上移|Ctrl+Up "
                 "下移|Ctrl+Down - 查找|Ctrl+F - 转换| 使用说明|F1 关于 "
                 "Velmora|");
        fs::create_directory(*app / "songs");
        WriteBytes(*app / "songs" / "a.txt", "甲");
        dialogs.answers = {Path(*app / "songs")};
        QTest::keySequence(form.get(), QKeySequence("Ctrl+Shift+O"));
        QCOMPARE(dialogs.seen.back(), "folder|导入文件夹");
        // The first time in the user's music folder or home, then where they imported from.
        const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
        QCOMPARE(dialogs.starts.back(), QFileInfo(music).isDir() ? music : QDir::homePath());
        QCOMPARE(entries(), QStringList{"1:a"});
        QTest::keySequence(form.get(), QKeySequence("Ctrl+Shift+O"));
        QCOMPARE(dialogs.starts.back(), Path(*app / "songs"));
        QCOMPARE(control("Command6")->toolTip(), "先制作《我的歌词本》");
        QTest::keySequence(form.get(), QKeySequence("Ctrl+B"));
        QTRY_VERIFY_WITH_TIMEOUT(status()->text().startsWith("制作完成"), 20000);
        QVERIFY(action("Share")->isEnabled() && control("Command6")->toolTip().isEmpty());
        WhileShown(
            [](QWidget* guide) {
                QCOMPARE(guide->objectName(), "Guide");
                guide->close();
            },
            [&] { QTest::keySequence(form.get(), QKeySequence("F1")); });
        list()->setCurrentIndex(list()->model()->index(0, 0));
        boxes.answers = {"删除"};
        action("RemoveSong")->trigger();
        QCOMPARE(boxes.Asked(), QStringList{"提示|确定删除第 1 首《a》吗？"});
        QVERIFY(entries().isEmpty());
    }

    // 查找 narrows the list to the songs whose name, artist or lyric holds the text, whatever
    // its case; a key acts on the song shown; Escape shows them all again.
    void findNarrowsTheList() {
        addSong("晴天", "故事的", "小黄花");
        addSong("夜曲", "一群", "蚂蚁");
        addSong("稻香", "还记得", "小黄花");
        QVERIFY(application->History().Add({u"Love Story", u"x", u"Taylor Swift"}).Made());
        QTest::keySequence(form.get(), QKeySequence("Ctrl+F"));
        auto* find = box("Find1");
        QVERIFY(find->isVisible() && find->hasFocus());
        Type(find, "黄花");
        QCOMPARE(entries(), (QStringList{"1:晴天", "3:稻香"}));
        list()->setFocus();
        list()->setCurrentIndex(list()->model()->index(1, 0));
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(entries(), (QStringList{"1:晴天", "2:稻香"}));
        for (const char* text : {"love", "SWIFT"}) {
            find->setText(text);
            QCOMPARE(entries(), QStringList{"4:Love Story"});
        }
        QTest::keyClick(find, Qt::Key_Escape);
        QCOMPARE(entries(), (QStringList{"1:晴天", "2:稻香", "3:夜曲", "4:Love Story"}));
        QVERIFY(find->isHidden() && find->text().isEmpty());
    }

    // The dialog refuses an empty name and stays; the song changes as typed, its artist and
    // credits too.
    void editDialogRefusesEmptyInputAndKeepsWhatIsTyped() {
        addSong("月光", "a", "b");
        list()->setCurrentIndex(list()->model()->index(0, 0));
        QStringList asked;
        WhileShown(
            [&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), "修改歌曲");
                auto* name = dialog->findChild<QLineEdit*>("EditName");
                auto* lyric = dialog->findChild<QPlainTextEdit*>("EditLyric");
                QCOMPARE(dialog->focusWidget(), name);
                QCOMPARE(lyric->toPlainText(), "a\nb");
                name->clear();
                QTest::keyClick(name, Qt::Key_Return);
                asked = boxes.Asked();
                QVERIFY(dialog->isVisible());
                Type(name, "新名");
                Type(dialog->findChild<QLineEdit*>("EditArtist"), "歌手");
                auto* credits = dialog->findChild<QPlainTextEdit*>("EditCredits");
                Type(credits, "词：甲");
                QTest::keyClick(credits, Qt::Key_Return);
                Type(credits, "曲：乙");
                Type(lyric, "c\u00A0");
                QTest::keyClick(lyric, Qt::Key_Return, Qt::ControlModifier);
            },
            [&] { QTest::keyClick(list(), Qt::Key_Return); });
        QCOMPARE(asked, QStringList{"提示|歌词和歌名不能为空。"});
        QCOMPARE(entries(), QStringList{"1:新名"});
        QCOMPARE(list()->model()->index(0, 0).data(Qt::ToolTipRole).toString(), "新名（歌手）");
        QCOMPARE(application->SongAt(1).lyric, u"c\u00A0a\r\nb");
        QCOMPARE(application->SongAt(1).credits, u"词：甲\r\n曲：乙");
    }

    // Either script, every song that needs it (typed ones too), its credits too, as one change
    // that Ctrl+Z takes back; when none needs it, the status line says so and nothing changes.
    void convertsEverySongAndTheTitleIntoEachFormAsOneChange() {
        QVERIFY(application->History().Add({u"後來", u"頭髮", u"劉若英", u"詞：施人誠"}).Made());
        addSong("软件", "鼠标", "x");
        addSong("x", "y", "z");
        QVERIFY(application->History().Add({u"劉", u"y"}).Made());  // its name alone to convert
        box("Text5")->setText("華語金曲");
        const auto songs = [&] {
            std::vector<velmora::Song> all;
            for (int n = 1; n <= application->SongCount(); ++n) {
                all.push_back(application->SongAt(n));
            }
            return all;
        };
        // Converted once the menu has closed: what the status line says next.
        const auto convert = [&](const char* item) {
            const QString before = status()->text();
            action(item)->trigger();
            [&] { QTRY_VERIFY_WITH_TIMEOUT(status()->text() != before, 20000); }();
            return status()->text();
        };
        const fs::path log = *app / "temp" / "1704067200" / "lyric.txt";
        const std::vector<velmora::Song> typed = songs();
        QCOMPARE(convert("ToSimplified"), "已将 2 首歌转为简体");
        QCOMPARE(songs().front(), (velmora::Song{u"后来", u"头发", u"刘若英", u"词：施人诚"}));
        QCOMPARE(box("Text5")->text(), "华语金曲");
        const std::vector<velmora::Song> simplified = songs();
        const std::size_t before = ReadBytes(log).size();
        QCOMPARE(convert("ToSimplified"), "所有歌曲已是简体，没有要转换的");
        QCOMPARE(convert("ToTaiwan"), "已将 3 首歌转为繁體（台灣用词）");
        QCOMPARE(songs(), (std::vector<velmora::Song>{
                              typed[0], {u"軟體", u"滑鼠\r\nx"}, typed[2], typed[3]}));
        QCOMPARE(box("Text5")->text(), "華語金曲");
        QCOMPARE(ReadBytes(log).substr(before),
                 velmora::BeginRecord(2) + velmora::EditRecord(1, typed[0]) +
                     velmora::EditRecord(2, songs()[1]) + velmora::EditRecord(4, typed[3]) +
                     velmora::EndRecord(2));
        QVERIFY(action("ToTaiwan")->isChecked() && !action("ToSimplified")->isChecked());
        // The progress box has come and gone: with no window manager to hand it back, the
        // window is made active again before keys are sent to it.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        list()->setFocus();
        for (const auto& [shown, undone, title] :
             {std::tuple(simplified, "已撤销：转为繁體（台灣用词）", "华语金曲"),
              std::tuple(typed, "已撤销：转为简体", "華語金曲")}) {
            QTest::keySequence(list(), QKeySequence("Ctrl+Z"));
            QCOMPARE(songs(), shown);
            QCOMPARE(status()->text(), undone);
            QCOMPARE(box("Text5")->text(), title);
        }
        QCOMPARE(velmora::ReplayJournal(ReadBytes(log)).songs, typed);
        QTest::keySequence(list(), QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(status()->text(), "已重做：转为简体");
        QCOMPARE(songs(), simplified);
        // The characters alone, or Hong Kong's forms: 软件 stays a word of its own.
        QCOMPARE(convert("ToCharacters"), "已将 3 首歌转为繁體（只换字形）");
        QCOMPARE(songs()[1], (velmora::Song{u"軟件", u"鼠標\r\nx"}));
        QVERIFY(application->History().Undo().Made());
        QCOMPARE(convert("ToHongKong"), "已将 3 首歌转为繁體（香港）");
        QCOMPARE(songs()[1].name, u"軟件");
        // The author alone may need it: the change is the boxes', undone with them.
        QCOMPARE(convert("ToSimplified"), "已将 3 首歌转为简体");
        box("Text6")->setText("劉若英");
        QCOMPARE(convert("ToSimplified"), "已将书名和作者转为简体");
        QCOMPARE(box("Text6")->text(), "刘若英");
        QVERIFY(application->History().Undo().Made());
        QCOMPARE(box("Text6")->text(), "劉若英");
    }

    // Files come by "导入…" and by drops, each import one step to undo (the menu's undo and
    // redo are these keys' actions); what was skipped is said once, after the rest are in.
    void importsComeInAsOneStepEach() {
        const fs::path dir = *app / "lyrics";
        fs::create_directory(dir);
        WriteBytes(dir / "b.lrc", "[ti:乙]\n[00:02.00]二\n[00:01.00]一");
        WriteBytes(dir / "a.txt", "甲");
        WriteBytes(dir / "c.txt", "");
        WriteBytes(dir / "d.txt", "丁戊己\xFF");  // a stray byte, said
        dialogs.answers = {Path(dir / "b.lrc")};
        QCOMPARE(menuOn(0, "Import").mid(2),
                 (QStringList{"修改…|Return|0", "删除|Del|0", "上移|Ctrl+Up|0", "下移|Ctrl+Down|0",
                              "导入…|Ctrl+O|1"}));
        QCOMPARE(dialogs.seen.back(),
                 "open*|导入歌曲|歌词和音乐文件(*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;"
                 "*.mp4;*.ape;*.wv) (*.lrc *.txt *.epub *.mp3 *.flac *.ogg *.opus *.m4a *.mp4 "
                 "*.ape *.wv)|所有文件(*) (*)");
        QCOMPARE(entries(), QStringList{"1:乙"});
        drop({QUrl::fromLocalFile(Path(dir))});
        QTRY_COMPARE(boxes.asked.size(), 1);
        QCOMPARE(
            boxes.Asked(),
            QStringList{"Velmora|导入了 2 首歌。以下文件没有导入：\n" + ElidedPath(dir / "b.lrc") +
                        "：已在列表中\n" + ElidedPath(dir / "c.txt") + "：文件是空的\n" +
                        "以下文件有无法识别的字符（显示为 �）：\n" + ElidedPath(dir / "d.txt")});
        const QStringList all{"1:乙", "2:a", "3:d"}, first{"1:乙"};
        QCOMPARE(entries(), all);
        form->activateWindow();  // back from the menu: the keys are the window's shortcuts
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        list()->setFocus();
        for (const auto& [keys, shown] : {std::pair{"Ctrl+Z", first},
                                          {"Ctrl+Y", all},
                                          {"Ctrl+Z", first},
                                          {"Ctrl+Shift+Z", all}}) {
            QTest::keySequence(list(), QKeySequence(keys));
            QCOMPARE(entries(), shown);
        }
#ifndef _WIN32  // names as bytes: on Windows every name is UTF-16
        // Names from a Windows archive, in GBK: one dropped alone, one chosen.
        const fs::path dropped = *app / "\xD6\xD0.lrc", chosen = *app / "\xCE\xC4.txt";
        WriteBytes(dropped, "[00:01.00]x");
        WriteBytes(chosen, "x");
        drop({QUrl::fromEncoded("file://" + QByteArray(dropped.c_str()).toPercentEncoding("/"))});
        dialogs.answers = {QFile::decodeName(chosen.c_str())};
        QTRY_COMPARE(entries().size(), 4);
        menuOn(0, "Import");
        QCOMPARE(entries().mid(3), (QStringList{"4:中", "5:文"}));
#endif
    }

    // A book this run did not build, imported or not, is replaced only when the user says so;
    // 另存为新书 asks the new book's title, and makes a book of its own (its copy beside the
    // old one's); this run's own books are replaced unasked.
    void asksBeforeAnEarlierBookIsReplaced() {
        const fs::path finished = app->path() / "finished", book = finished / u8"我的歌词本.epub";
        addSong("A", "x", "y");
        QVERIFY(built());
        addSong("B", "x", "y");
        QVERIFY(built());
        QVERIFY(boxes.Asked().isEmpty());
        start();
        form->Import({Path(book)});
        addSong("C", "x", "y");
        const std::string before = ReadBytes(book);
        const QStringList question{
            "Velmora|成品文件夹里已有《我的歌词本》：2 首歌，2024-01-01 00:00 制作。要替换它吗？"};
        for (const char* answer : {"取消", "closed"}) {
            boxes.answers = {answer};
            click("Command2");
            QCOMPARE(boxes.Asked(), question);
            QVERIFY(!application->Builds().Running());
        }
        const QString titleAsked = "Velmora|新书的书名：|我的歌词本 (2)";
        boxes.answers = {"另存为新书", "closed"};
        click("Command2");
        QCOMPARE(boxes.Asked(), question + QStringList{titleAsked});
        QVERIFY(!application->Builds().Running());
        fs::create_directory(*app / "copies");
        box("Text3")->setText(Path(*app / "copies" / "mine.epub"));
        boxes.answers = {"另存为新书", ""};
        QVERIFY(built());
        QCOMPARE(boxes.Asked(), question + QStringList{titleAsked});
        const fs::path second = finished / u8"我的歌词本 (2).epub";
        QCOMPARE(box("Text5")->text(), "我的歌词本 (2)");
        QCOMPARE(box("Text3")->text(), Path(*app / "copies" / ""));
        QVERIFY(control("Label10")->isVisible());  // 在文件夹中显示
        QCOMPARE(ReadBytes(book), before);
        const auto opf = [](const fs::path& epub) { return ExtractBook(epub).at("content.opf"); };
        QVERIFY(opf(second).find("<dc:title>我的歌词本 (2)</dc:title>") != std::string::npos);
        QCOMPARE(ReadBytes(*app / "copies" / u8"我的歌词本 (2).epub"), ReadBytes(second));
        const auto identifier = [&](const fs::path& epub) {
            const std::string text = opf(epub);
            const auto at = text.find("opf:scheme=\"calibre\">");
            return text.substr(at, 60);
        };
        QVERIFY(identifier(second) != identifier(book));
        QCOMPARE(boxes.answers.size() + boxes.Asked().size(), 0);
        // Asked with a title of its own, another number.
        addSong("D", "x", "y");
        box("Text5")->setText("我的歌词本");
        boxes.answers = {"另存为新书", "closed"};
        click("Command2");
        QCOMPARE(boxes.Asked().value(1), "Velmora|新书的书名：|我的歌词本 (3)");
        boxes.answers = {"替换"};
        QVERIFY(built());
        QCOMPARE(boxes.Asked(), question);
        QVERIFY(built());
        QVERIFY(boxes.Asked().isEmpty());
        QVERIFY(ReadBytes(book) != before);
    }

    // Before a build replaces a book with an empty one, or a file this run did not write at
    // the save place, it asks, once; 取消 builds nothing. After a build, a change says so.
    void asksBeforeABookIsReplacedByLess() {
        QVERIFY(application->CheckBuild({u"Text4", {}, u"我的歌词本", u"Velmora", {}, {}, {}})
                    .plan.questions.empty());
        addSong("A", "x", "y");
        QVERIFY(built());
        application->History().Remove(1);
        QCOMPARE(status()->text(), "有修改尚未制作");
        // Taken back, the list is the book's again, but the journal has moved on: said last.
        QVERIFY(application->History().Undo().Made());
        QCOMPARE(status()->text(), "有修改尚未制作");
        application->History().Remove(1);
        const fs::path book = *app / "finished" / u8"我的歌词本.epub", mine = *app / "mine.epub";
        WriteBytes(mine, "the user's own");
        const struct {
            fs::path file;
            QString place, question;
        } asks[] = {
            {book, box("Text3")->text(),
             "Velmora|《我的歌词本》已有 1 首歌。要用没有歌曲的歌词本替换它吗？"},
            {mine, Path(mine),
             "Velmora|保存路径上已有这个文件：" + ElidedPath(mine) + "\n要用歌词本替换它吗？"},
        };
        for (const auto& [file, place, question] : asks) {
            box("Text3")->setText(place);
            const std::string before = ReadBytes(file);
            click("Command2");
            QCOMPARE(boxes.Asked(), QStringList{question});
            boxes.answers = {"替换"};
            click("Command2");
            QCOMPARE(boxes.Asked(), QStringList{question});
            QTRY_VERIFY_WITH_TIMEOUT(!application->Builds().Running() && ReadBytes(file) != before,
                                     20000);
        }
        click("Command2");
        QVERIFY(boxes.Asked().isEmpty());
        // Chosen in the save dialog, which asked before the file was chosen: not asked again.
        QTRY_VERIFY_WITH_TIMEOUT(!application->Builds().Running(), 20000);
        const fs::path chosen = *app / "chosen.epub";
        WriteBytes(chosen, "the user's own, chosen");
        dialogs.answers = {Path(chosen)};
        click("Command1");
        QVERIFY(built());
        QVERIFY(boxes.Asked().isEmpty());
        QVERIFY(ReadBytes(chosen) != "the user's own, chosen");
    }

    // A run that ended with songs no book holds is offered at the next start; 恢复 brings
    // back its songs and boxes, 不要 lets them go; either way it is not offered again.
    void unbuiltSongsAreOfferedAtTheNextStart() {
        addSong("x><lyric=y", "z", "z2");
        QVERIFY(built());
        addSong("B", QString(QChar(kOddSpace)), "b");
        box("Text4")->setText("/pictures/cover.png");
        box("Text3")->setText("/books/mine.epub");
        click("Command1");  // cancelled: kept as it is
        const auto restart = [&](const QString& answer) {
            start();
            boxes.answers = {answer};
            form->OfferRestore();
            return boxes.Asked();
        };
        QCOMPARE(restart(""),  // 恢复, the question's default
                 QStringList{"Velmora|上次有 2 首歌，其中 1 首还没做进电子书。要恢复吗？"});
        QCOMPARE(boxes.defaults.last(), "恢复");
        QCOMPARE(entries(), (QStringList{"1:x><lyric=y", "2:B"}));
        QCOMPARE(application->SongAt(2).lyric, kOddSpace + std::u16string(u"\r\nb"));
        QCOMPARE(box("Text4")->text(), "/pictures/cover.png");
        QCOMPARE(box("Text3")->text(), "/books/mine.epub");
        // Restored, they are this run's now: the next start offers this run, once.
        QCOMPARE(restart("不要"), QStringList{"Velmora|上次还有 2 首歌没有做进电子书。要恢复吗？"});
        QVERIFY(entries().isEmpty());
        QVERIFY(restart("恢复").isEmpty());
        // The boxes were remembered for this start.
        QCOMPARE(box("Text4")->text(), "/pictures/cover.png");
    }

    // A song typed and never added is kept a moment after it is typed, so that it comes back
    // after a kill, counted in the offer; at once when the window closes; once added, the next
    // start no longer has it typed.
    void aSongTypedIsKeptThroughAKill() {
        addSong("A", "a", "b");
        Type(control("Text1"), "月光");
        Type(control("Text2"), "床前\n明月光");
        QVERIFY(QTest::qWaitFor([&] {
            for (const auto& entry : fs::recursive_directory_iterator(app->path() / "temp")) {
                if (entry.path().filename() == "boxes.txt" &&
                    ReadBytes(entry.path()).find("name=月光\n") != std::string::npos) {
                    return true;
                }
            }
            return false;
        }));
        const auto restart = [&] {
            start();
            form->OfferRestore();
            return boxes.Asked();
        };
        QCOMPARE(
            restart(),
            QStringList{"Velmora|上次还有 1 首歌没有做进电子书，还有未添加的歌词。要恢复吗？"});
        QCOMPARE(entries(), QStringList{"1:A"});
        QCOMPARE(box("Text1")->text(), "月光");
        QCOMPARE(control<QPlainTextEdit>("Text2")->toPlainText(), "床前\n明月光");
        click("Command3");
        QCOMPARE(restart(), QStringList{"Velmora|上次还有 2 首歌没有做进电子书。要恢复吗？"});
        Type(control("Text1"), "晴天");
        form->close();
        QCOMPARE(
            restart(),
            QStringList{"Velmora|上次还有 2 首歌没有做进电子书，还有未添加的歌词。要恢复吗？"});
        QCOMPARE(box("Text1")->text(), "晴天");
    }

    // A book made comes back when the user wants it: offered under the empty list at the next
    // start and in 最近的书 (a book gone greyed); its songs and boxes come back exactly, as one
    // change undone with its boxes; built again, it replaces itself and its copy unasked. Songs
    // no book holds are asked about first.
    void theLastBookReopens() {
        box("Text5")->setText("我的最爱");
        box("Text6")->setText("小林");
        box("Text4")->setText(Image(*app / "mine.png", {30, 60}, "PNG"));
        fs::create_directory(*app / "copies");
        box("Text3")->setText(Path(*app / "copies" / ""));
        addSong("A", "a", "b");
        addSong("B", "c", "d");
        QVERIFY(built());
        const fs::path book = app->path() / "finished" / u8"我的最爱.epub";
        start();
        auto* offer = control<QLabel>("ReopenOffer");
        const QString made = "2 首，" + QDate::currentDate().toString(Qt::ISODate) + " 制作）";
        QVERIFY(offer->isVisible());
        QCOMPARE(offer->accessibleName(), "继续编辑《我的最爱》（" + made);
        box("Text3")->setText("elsewhere");
        emit offer->linkActivated("offer");
        const auto bookBoxes = [&] {
            return QStringList{box("Text5")->text(), box("Text6")->text(), box("Text3")->text()};
        };
        QCOMPARE(entries(), (QStringList{"1:A", "2:B"}));
        QCOMPARE(bookBoxes(), (QStringList{"我的最爱", "小林", Path(*app / "copies" / "")}));
        QCOMPARE(ReadBytes(PathOf(box("Text4")->text())), ExtractBook(book).at("cover.jpeg"));
        QVERIFY(!offer->isVisible());
        QVERIFY(application->History().Undo().Made());
        QVERIFY(entries().isEmpty() && offer->isVisible());
        QCOMPARE(bookBoxes(), (QStringList{"我的歌词本", "Velmora", "elsewhere"}));
        QCOMPARE(box("Text4")->text(), "Text4");
        QVERIFY(application->History().Redo().Made());
        QCOMPARE(bookBoxes()[0], "我的最爱");
        addSong("C", "e", "f");
        QVERIFY(built());
        QVERIFY(boxes.Asked().isEmpty());
        QCOMPARE(ReadBytes(*app / "copies" / u8"我的最爱.epub"), ReadBytes(book));
        // 最近的书: each book once, the newest first; one gone is greyed.
        box("Text5")->setText("旧的");
        QVERIFY(built());
        fs::remove(app->path() / "finished" / u8"旧的.epub");
        auto* recent = control<QMenu>("RecentMenu");
        emit recent->aboutToShow();
        QStringList items;
        for (QAction* item : recent->actions()) {
            items << item->text() + '|' + QString::number(item->isEnabled());
        }
        QCOMPARE(items, (QStringList{"《旧的》（3 首，" + made.mid(4) + "|0",
                                     "《我的最爱》（3 首，" + made.mid(4) + "|1"}));
        // Asked first, as the list holds a song no book has; 取消 leaves it as it is.
        addSong("D", "g", "h");
        boxes.answers = {"取消"};
        form->findChild<QAction*>("Recent2")->trigger();
        QCOMPARE(boxes.Asked(),
                 QStringList{
                     "Velmora|列表里还有没做进电子书的歌。要打开这本书替换它们吗？（可以撤销）"});
        QCOMPARE(entries().size(), 4);
        // 打开书… starts in the books' folder; a file that is none of our books is said.
        dialogs.answers = {Path(*app / "mine.png"), Path(book)};
        boxes.answers = {"打开", "", "打开"};
        form->findChild<QAction*>("OpenBook")->trigger();
        QCOMPARE(dialogs.seen.last(), "open|打开书|电子出版(*.epub) (*.epub)");
        QVERIFY(
            boxes.Asked().value(1).startsWith("Velmora|" + ElidedPath(*app / "mine.png") + "："));
        QCOMPARE(entries().size(), 4);
        form->findChild<QAction*>("OpenBook")->trigger();
        QCOMPARE(entries(), (QStringList{"1:A", "2:B", "3:C"}));
        QCOMPARE(application->History().Undo().Made() && entries().size() == 4, true);
    }

    // A named book has a drawn cover unless the user chose one (how it is drawn: cover_test);
    // a blank title builds nothing.
    // Into a list with songs only a book's songs come; into an empty one its boxes too.
    void namedBooksHaveTheirOwnCoverAndComeBackWhole() {
        addSong("月光", "a", "b");
        box("Text5")->setText(" \u3000");
        click("Command2");
        QCOMPARE(boxes.Asked(), QStringList{"提示|书名不能为空。"});
        box("Text5")->setText("流行金曲");
        box("Text6")->setText("小明");
        const fs::path book = app->path() / "finished" / u8"流行金曲.epub";
        QVERIFY(built());
        QVERIFY(IsDrawnCover(ExtractBook(book).at("cover.jpeg")));
        box("Text4")->setText(Image(*app / "mine.png", {30, 60}, "PNG"));
        QVERIFY(built());
        const std::string cover = ExtractBook(book).at("cover.jpeg");
        start();
        addSong("别的", "a", "b");
        form->Import({Path(book)});
        QCOMPARE(entries(), (QStringList{"1:别的", "2:月光"}));
        QCOMPARE(box("Text5")->text(), "我的歌词本");
        QVERIFY(application->History().Undo().Made() && application->History().Undo().Made());
        form->Import({Path(book)});
        QCOMPARE(entries(), QStringList{"1:月光"});
        QCOMPARE(box("Text5")->text(), "流行金曲");
        QCOMPARE(box("Text6")->text(), "小明");
        QCOMPARE(ReadBytes(PathOf(box("Text4")->text())), cover);
        // A book of Traditional title and songs speaks Traditional, whatever the window does.
        box("Text5")->setText("華語金曲");
        QVERIFY(application->History().Edit(1, {u"月光", u"軟體裡存著"}).Made());
        QVERIFY(built());
        const auto pages = ExtractBook(app->path() / "finished" / u8"華語金曲.epub");
        QVERIFY(pages.at("content.opf").find("<dc:language>zh-TW</dc:language>") !=
                std::string::npos);
        QVERIFY(pages.at("contents.xhtml").find("<h2>目錄</h2>") != std::string::npos);
    }

    // "传到手机" is there for the title's book; its dialog serves it at the address it shows
    // and codes, on every interface, and stops as it closes (the server itself: share_tests).
    void handsTheBookToAPhone() {
        auto* phone = control<QPushButton>("Command6");
        QVERIFY(!phone->isEnabled());
        addSong("月光", "a", "b");
        QVERIFY(built() && phone->isEnabled());
        box("Text5")->setText("别的书");
        QVERIFY(!phone->isEnabled());
        box("Text5")->setText("我的歌词本");
        WhileShown(
            [&](QWidget* dialog) {
                dialog->findChild<QPushButton*>("Close")->click();
                QCOMPARE(dialog->windowTitle(), "扫码下载到手机");
            },
            [&] { click("Command6"); });
        const fs::path book = app->path() / "finished" / u8"我的歌词本.epub";
        auto dialog = std::make_unique<PhoneDialog>(
            form.get(), book, std::vector<std::uint32_t>{0x7F000001, 0x0A000001}, [] {});
        const QString address = dialog->Address();
        QVERIFY2(address.startsWith("http://127.0.0.1:" + QString::number(dialog->Port()) + '/') &&
                     address.endsWith("/%E6%88%91%E7%9A%84%E6%AD%8C%E8%AF%8D%E6%9C%AC.epub"),
                 qPrintable(address));
#ifndef _WIN32  // zbarimg and curl are Linux programs; Wine gives them no pipe to read
        const fs::path image = app->path() / "code.png";
        QVERIFY(dialog->findChild<QLabel*>("QrCode")->pixmap().save(Path(image)));
        QCOMPARE(RunCommand({"zbarimg", "--raw", "-q", "--nodbus", image.string()}).output,
                 address.toStdString() + "\n");
        // 127.0.0.2 stands for the LAN's address.
        const QString other = QString(address).replace("127.0.0.1", "127.0.0.2");
        QVERIFY(RunCommand({"curl", "-sS", other.toStdString()}).output == ReadBytes(book));
        QTRY_COMPARE(dialog->findChild<QLabel*>("Downloads")->text(), "已完成下载：1 次");
#endif
        dialog->findChild<QComboBox*>("AddressChoice")->setCurrentIndex(1);
        QCOMPARE(dialog->Address(), QString(address).replace("127.0.0.1", "10.0.0.1"));
        dialog.reset();
        // Closed: the port refuses (curl's exit status 7).
#ifndef _WIN32
        QCOMPARE(RunCommand({"curl", "-sS", "-o", "/dev/null", address.toStdString()}).exitCode, 7);
#endif
        bool opened = false;
        PhoneDialog none(form.get(), book, {}, [&] { opened = true; });
        QCOMPARE(none.findChild<QLabel*>("NoAddress")->text(), "没有找到局域网地址");
        QCOMPARE(none.findChild<QLabel*>("FileName")->text(), "文件：我的歌词本.epub");
        QCOMPARE(none.Port(), 0);
        QVERIFY(none.findChild<QLabel*>("QrCode") == nullptr);
        none.findChild<QPushButton*>("OpenFolder")->click();
        QVERIFY(opened);
        // A book taken away meanwhile is said, and nothing is served.
        fs::remove(book);
        click("Command6");
        QCOMPARE(boxes.Asked(), QStringList{"Velmora|无法传到手机：" + ElidedPath(book) + "（" +
                                            Reason(ENOENT) + "）"});
        QVERIFY(!phone->isEnabled());
    }

    // 页面设置 is kept; 导出 PDF proposes "<书名>.pdf" beside the book, writes it with those
    // settings and says so; what cannot be done (no songs, no font, a folder gone) is told.
    void songbookGoesToPaper() {
        dialogs.seen.clear();
        form->findChild<QAction*>("ExportPdf")->trigger();
        QCOMPARE(boxes.Asked(), QStringList{"Velmora|列表里还没有歌。先添加歌曲，再导出或打印。"});
        QVERIFY(dialogs.seen.isEmpty());
        addSong("月亮代表我的心", "你问我爱你有多深", "我爱你有几分");
        box("Text5")->setText("我的最爱");
        WhileShown(
            [](QWidget* dialog) {
                dialog->findChild<QComboBox*>("Paper")->setCurrentIndex(2);
                dialog->findChild<QCheckBox*>("NewPages")->setChecked(false);
                dialog->findChild<QDoubleSpinBox*>("Margin")->setValue(10);
                dialog->findChild<QDoubleSpinBox*>("LyricSize")->setValue(12.5);
                QTest::mouseClick(dialog->findChild<QPushButton*>("PageSetupOk"), Qt::LeftButton);
            },
            [&] { form->findChild<QAction*>("PageSetup")->trigger(); });
        QCOMPARE(remembered::PrintOptions().paper, velmora::Paper::A4);
        QVERIFY(!remembered::PrintOptions().newPages);
        QCOMPARE(remembered::PrintOptions().marginMm, 10.0);
        QCOMPARE(remembered::PrintOptions().lyricPoints, 12.5);
        QVERIFY(!remembered::PrintOptions().booklet);
        const fs::path pdf = app->path() / "out.pdf";
        dialogs.answers = QStringList{Path(pdf), Path(app->path() / "gone" / "out.pdf")};
        form->findChild<QAction*>("ExportPdf")->trigger();
        QCOMPARE(dialogs.seen.value(0), "save|导出 PDF|PDF 文件 (*.pdf)|" +
                                            Path(app->path() / "finished" / u8"我的最爱.pdf"));
        if (!velmora::ChineseFontFamily(velmora::Script::Simplified)) {
            QCOMPARE(boxes.Asked(),
                     QStringList{"Velmora|" +
                                 Wording(velmora::Failure(velmora::Problem::NoChineseFont))});
            return;
        }
        QCOMPARE(boxes.Asked(), QStringList());
        QCOMPARE(status()->text(), "已导出 PDF：out.pdf");
        QFile written(Path(pdf));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.contains("/MediaBox [0 0 595.000000 842.000000]"));  // A4, as set
        form->findChild<QAction*>("ExportPdf")->trigger();
        const fs::path gone = app->path() / "gone" / "out.pdf";
        QCOMPARE(boxes.Asked(),
                 QStringList{"Velmora|" + Wording(velmora::Failure(velmora::Problem::CannotSavePdf,
                                                                   gone, ENOENT))});
        QVERIFY(!fs::exists(gone));
        QString shown;
        WhileShown(
            [&](QWidget* dialog) {
                shown = dialog->objectName() + '|' + dialog->windowTitle();
                dialog->close();
            },
            [&] { form->findChild<QAction*>("PrintPreview")->trigger(); });
        QCOMPARE(shown, "PrintPreview|打印预览");
    }

    // A start that fails is said and ends the program; a signal meanwhile ends every loop.
    void loadFailureIsShownAndEndsTheProgram() {
        ProgramFolder broken;
        const fs::path container = broken / "template" / "META-INF" / "container.xml";
        fs::remove(container);
        Application other(broken.path(), clock);
        Form1 window(other, dialogs, boxes);
        QVERIFY(!window.Form_Load());
        QCOMPARE(boxes.Asked(), QStringList{"Velmora|文件无法读入！\n" + ElidedPath(container)});
        QVERIFY(fs::is_empty(broken / "temp"));
        // The toolkit's own box this time: the signal's end closes it.
        QtMessageBoxRunner shown;
        Form1 ending(other, dialogs, shown);
        QTimer::singleShot(50, [] { EndNow(); });
        QElapsedTimer waited;
        waited.start();
        QVERIFY(!ending.Form_Load());
        QVERIFY(waited.elapsed() < 5000);
        // The loops left stay left until an application loop runs again: run one.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
