#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QtTest>

#include "cover_image.h"
#include "form1.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"

namespace fs = std::filesystem;
using namespace velmora::testing;

namespace {

// Answers each dialog with the next queued path, or cancels when none is queued.
class FakeDialogs : public FileDialogRunner {
public:
    std::optional<QString> runSaveDialog(QWidget*, const QString& title, const QStringList& filters,
                                         const QString& fileName) override {
        seen << title + '|' + filters.join('|') + '|' + fileName;
        return answers.isEmpty() ? std::nullopt : std::optional(answers.takeFirst());
    }
    QStringList runOpenDialog(QWidget*, const QString& title, const QStringList& filters) override {
        seen << title + '|' + filters.join('|');
        return opened;
    }
    QStringList seen, answers, opened;
};

// Answers each modal message box with Enter as it opens, keeping "title|text" for each.
class BoxCloser {
public:
    BoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->windowTitle() + '|' + box->text();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        timer_.start(10);
    }
    QStringList boxes;

private:
    QTimer timer_;
};

QStringList BoxesDuring(const std::function<void()>& action) {
    BoxCloser closer;
    action();
    return closer.boxes;
}

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

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> app;
    FixedClock clock{kNewYear2024};
    FakeDialogs dialogs;
    std::unique_ptr<Form1> form;

    template <typename T = QWidget>
    T* control(const char* name) {
        return form->findChild<T*>(QLatin1String(name));
    }
    QListWidget* list() { return control<QListWidget>("List1"); }
    void click(const char* button) { QTest::mouseClick(control(button), Qt::LeftButton); }
    std::string run(const fs::path& file) const {
        return ReadBytes(app->path() / "temp" / "1704067200" / file);
    }

    void addSong(const QString& name, const QString& firstLine, const QString& secondLine) {
        Type(control("Text1"), name);
        Type(control("Text2"), firstLine);
        QTest::keyClick(control("Text2"), Qt::Key_Return);
        Type(control("Text2"), secondLine);
        click("Command3");
    }
    QStringList entries() {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row) {
            texts << list()->item(row)->text();
        }
        return texts;
    }
    // The context menu on song n: "text|enabled" for each of its entries.
    // Song 0 is the list's empty space; `choose` is the entry then chosen, if any.
    QStringList menuOn(int n, const QString& choose = {}) {
        const QPoint at = n > 0 ? list()->visualItemRect(list()->item(n - 1)).center()
                                : list()->viewport()->rect().bottomLeft();
        QStringList texts;
        WhileShown(
            [&](QWidget* menu) {
                for (QAction* action : qobject_cast<QMenu*>(menu)->actions()) {
                    if (!action->isSeparator()) {
                        texts << action->text() + '|' + QString::number(action->isEnabled());
                    }
                    if (action->text() == choose) {
                        action->trigger();
                    }
                }
                menu->close();
            },
            [&] {
                QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                                        list()->viewport()->mapToGlobal(at));
                QApplication::sendEvent(list()->viewport(), &event);
            });
        return texts;
    }

private slots:
    void init() {
        app = std::make_unique<ProgramFolder>();
        form = std::make_unique<Form1>(app->path(), clock, dialogs);
        QVERIFY(form->Form_Load());
        form->show();
    }

    void cleanup() {
        form.reset();
        app.reset();
    }

    void startsAsTheTableSays() {
        QCOMPARE(form->windowTitle(), "Velmora 0.1.0");
        QCOMPARE(form->size(), QSize(361, 278));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(control<QLineEdit>("Text3")->text(),
                 QString::fromStdString(app->path().string()) + "/finished/");
        QCOMPARE(control<QLabel>("Label4")->text(), "等待制作...");
        QCOMPARE(control<QLineEdit>("Text4")->text(), "Text4");
        // Twips at 15 a pixel, a sample of the table.
        QCOMPARE(control("List1")->geometry(), QRect(208, 8, 137, 182));
        QCOMPARE(control("Command5")->geometry(), QRect(232, 248, 113, 17));
    }

    // Whatever a handler raises is shown, and the window goes on; what was typed reaches
    // the core exactly, U+00A0 included, lines ending in CR LF.
    void addsWhatWasTyped() {
        QTest::keyClick(control("Text1"), Qt::Key_Return);  // presses no button
        QCOMPARE(BoxesDuring([&] { click("Command3"); }), QStringList{"提示|歌词和歌名不能为空。"});
        Type(control("Text1"), "月光");
        Type(control("Text2"), "床前\u00A0明月光");
        QTest::keyClick(control("Text2"), Qt::Key_Return);
        Type(control("Text2"), "疑是地上霜");
        QStringList boxes;
        {
            InjectedFaults faults({Throws(Call::Open, "part0000.html")});
            boxes = BoxesDuring([&] { click("Command3"); });
        }
        QCOMPARE(boxes, QStringList{"Velmora|操作未能完成：std::bad_alloc"});
        click("Command3");
        QCOMPARE(entries(), QStringList{"1:月光"});
        QVERIFY(control<QLineEdit>("Text1")->text().isEmpty());
        QVERIFY(control<QPlainTextEdit>("Text2")->toPlainText().isEmpty());
        // As typed, U+00A0 and CR LF included: in the log in GB18030, in the page in UTF-8.
        QVERIFY(run("lyric.txt") ==
                velmora::codepage::Encode(u"<songno=1><songname=月光><lyric=床前\u00A0明月光\r\n"
                                          u"疑是地上霜></song no = 1>\r\n",
                                          0));
        QVERIFY(run("epub/text/part0001.html").find("\u00A0明月光<br/>\n疑") != std::string::npos);
    }

    void makeButtonBuildsWithoutBlockingAndShowsFailures() {
        addSong("月光", "a", "b");
        click("Command2");
        QCOMPARE(control<QLabel>("Label4")->text(), "打包...");
        QTRY_COMPARE_WITH_TIMEOUT(control<QLabel>("Label4")->text(), "制作完成", 20000);
        QVERIFY(fs::exists(app->path() / "finished" / "我的歌词本.epub"));
        fs::remove(app->path() / "template" / "cover.jpeg");
        QCOMPARE(BoxesDuring([&] { click("Command2"); }),
                 QStringList{"Velmora|文件无法读入！\n" +
                             QString::fromStdString((*app / "template/cover.jpeg").string())});
        QCOMPARE(control<QLabel>("Label4")->text(), "制作失败");
        // A path that cannot be opened is said so.
        control<QLineEdit>("Text3")->setText("/no/such/folder/");
        BoxCloser closer;
        click("Command5");
        QTRY_COMPARE_WITH_TIMEOUT(closer.boxes, QStringList{"Velmora|无法打开：/no/such/folder/"},
                                  20000);
    }

    void listMenuAndKeysChangeTheSelectedSong() {
        for (const char* name : {"A", "B", "C"}) {
            addSong(name, "x", "y");
        }
        QCOMPARE(menuOn(1), (QStringList{"修改…|1", "删除|1", "上移|0", "下移|1", "导入…|1"}));
        QCOMPARE(menuOn(3), (QStringList{"修改…|1", "删除|1", "上移|1", "下移|0", "导入…|1"}));
        list()->setCurrentRow(1);
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(entries(), (QStringList{"1:B", "2:A", "3:C"}));
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);  // the first stays first
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(entries(), (QStringList{"1:A", "2:C", "3:B"}));
        QCOMPARE(BoxesDuring([&] { QTest::keyClick(list(), Qt::Key_Delete); }),
                 QStringList{"提示|确定删除第 3 首《B》吗？"});
        QCOMPARE(entries(), (QStringList{"1:A", "2:C"}));
        QCOMPARE(list()->currentRow(), 1);
    }

    void editDialogRefusesEmptyInputAndKeepsWhatIsTyped() {
        addSong("月光", "a", "b");
        list()->setCurrentRow(0);
        QStringList boxes;
        WhileShown(
            [&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), "修改歌曲");
                auto* name = dialog->findChild<QLineEdit*>("EditName");
                auto* lyric = dialog->findChild<QPlainTextEdit*>("EditLyric");
                QCOMPARE(dialog->focusWidget(), name);
                QCOMPARE(lyric->toPlainText(), "a\nb");
                name->clear();
                boxes = BoxesDuring([&] { QTest::keyClick(name, Qt::Key_Return); });
                QVERIFY(dialog->isVisible());
                Type(name, "新名");
                lyric->moveCursor(QTextCursor::End);
                Type(lyric, "\u00A0c");
                QTest::keyClick(lyric, Qt::Key_Return, Qt::ControlModifier);
            },
            [&] { QTest::keyClick(list(), Qt::Key_Return); });
        QCOMPARE(boxes, QStringList{"提示|歌词和歌名不能为空。"});
        QCOMPARE(entries(), QStringList{"1:新名"});
    }

    // The cover box: the template's cover, a JPEG as it is, anything else made a JPEG of at
    // most 2,560 pixels a side on white; what is no image stops the build before it starts.
    void coverBoxGivesTheBooksCover() {
        const fs::path dir = *app / "images";
        fs::create_directory(dir);
        const auto image = [&](const char* name, QSize size, const char* format) {
            QImage picture(size, QImage::Format_ARGB32);
            picture.fill(Qt::transparent);
            picture.save(QString::fromStdString((dir / name).string()), format);
            return QString::fromStdString((dir / name).string());
        };
        const auto decoded = [](const std::optional<std::string>& jpeg) {
            return QImage::fromData(QByteArray::fromStdString(jpeg.value()), "JPEG");
        };
        QCOMPARE(CoverJpeg("Text4"), std::nullopt);
        QCOMPARE(CoverJpeg(""), std::nullopt);
        const QString small = image("small.jpg", {300, 100}, "JPEG");
        QCOMPARE(CoverJpeg(small), ReadBytes(small.toStdString()));
        QCOMPARE(decoded(CoverJpeg(image("wide.jpg", {3000, 1000}, "JPEG"))).size(),
                 QSize(2560, 853));
        const QImage tall = decoded(CoverJpeg(image("tall.png", {1000, 4000}, "PNG")));
        QCOMPARE(tall.size(), QSize(640, 2560));
        QCOMPARE(tall.pixelColor(320, 1280), QColor(Qt::white));
        WriteBytes(dir / "notes.png", "not an image");
        for (const auto& [path, reason] : {std::pair{dir / "notes.png", u"不是可用的图像"},
                                           {dir / "gone.png", u"文件不存在"},
                                           {dir, u"不是文件"}}) {
            const QString box = QString::fromStdString(path.string());
            QVERIFY(FailureOf([&] {
                        CoverJpeg(box);
                    }).starts_with(u"无法使用封面：" + box.toStdU16String() + u"（" + reason));
        }
        // The build does not start.
        control<QLineEdit>("Text4")->setText(QString::fromStdString((dir / "gone.png").string()));
        QCOMPARE(BoxesDuring([&] { click("Command2"); }).size(), 1);
        QCOMPARE(control<QLabel>("Label4")->text(), "制作失败");
        // Cancelled before any choice, the dialogs leave "我的歌词本" and nothing.
        click("Command1");
        click("Command4");
        QCOMPARE(control<QLineEdit>("Text3")->text(), "我的歌词本");
        QCOMPARE(control<QLineEdit>("Text4")->text(), "");
        // Chosen through them: the cover goes into the book, a copy to the save path.
        dialogs.answers = {QString::fromStdString((dir / "copy").string()),
                           image("cover.png", {40, 80}, "PNG")};
        click("Command1");
        click("Command4");
        QCOMPARE(dialogs.seen.mid(2),
                 (QStringList{"选择保存路径|电子出版(*.epub) (*.epub)|我的歌词本",
                              "选择保存路径|所有图像文件(*.jpg;*.jpeg;*.png) (*.jpg *.jpeg "
                              "*.png)|JPEG文件交换格式"
                              "(*.jpg;*.jpeg) (*.jpg *.jpeg)|可移植网络图形(*.png) (*.png)|"}));
        click("Command2");
        QTRY_COMPARE_WITH_TIMEOUT(control<QLabel>("Label4")->text(), "制作完成", 20000);
        const auto book = ExtractBook(dir / "copy.epub");
        QCOMPARE(QImage::fromData(QByteArray::fromStdString(book.at("cover.jpeg"))).size(),
                 QSize(40, 80));
    }

    // Files come in through "导入…" and by dropping them anywhere on the window; what
    // cannot be used is listed once, after the rest are in.
    void importsFromTheMenuAndFromDrops() {
        const fs::path dir = *app / "lyrics";
        fs::create_directory(dir);
        WriteBytes(dir / "b.lrc", "[ti:乙]\n[00:02.00]二\n[00:01.00]一");
        WriteBytes(dir / "a.txt", "甲");
        WriteBytes(dir / "c.txt", "");
        dialogs.opened = {QString::fromStdString((dir / "b.lrc").string())};
        QCOMPARE(menuOn(0, "导入…"),
                 (QStringList{"修改…|0", "删除|0", "上移|0", "下移|0", "导入…|1"}));
        QCOMPARE(dialogs.seen.back(),
                 "导入歌曲|歌词文件(*.lrc;*.txt;*.epub) (*.lrc *.txt *.epub)|所有文件(*) (*)");
        QCOMPARE(entries(), QStringList{"1:乙"});
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.string()))});
        QWidget* target = control<QPlainTextEdit>("Text2")->viewport();
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        BoxCloser closer;
        QApplication::sendEvent(target, &drop);
        QTRY_COMPARE(closer.boxes.size(), 1);
        QCOMPARE(closer.boxes[0], "Velmora|导入了 2 首歌。以下文件没有导入：\n" +
                                      QString::fromStdString((dir / "c.txt").string()) +
                                      "：文件是空的");
        QCOMPARE(entries(), (QStringList{"1:乙", "2:a", "3:乙"}));
    }

    void loadFailureIsShownAndReported() {
        ProgramFolder broken;
        const fs::path container = broken / "template" / "META-INF" / "container.xml";
        fs::remove(container);
        Form1 other(broken.path(), clock, dialogs);
        bool loaded = true;
        QCOMPARE(
            BoxesDuring([&] { loaded = other.Form_Load(); }),
            QStringList{"Velmora|文件无法读入！\n" + QString::fromStdString(container.string())});
        QVERIFY(!loaded);
        QVERIFY(fs::is_empty(broken / "temp"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
