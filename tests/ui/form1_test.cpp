#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <deque>

#include "form1.h"
#include "support/bytes.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "support/folders.h"

namespace fs = std::filesystem;
using namespace velmora::testing;

namespace {

// Answers each dialog with the next queued path, or cancels when none is queued.
class FakeDialogs : public FileDialogRunner {
public:
    std::optional<QString> runSaveDialog(QWidget*, const QString& title, const QStringList& filters,
                                         const QString& fileName) override {
        seen << title + QLatin1Char('|') + filters.join(QLatin1Char('|')) + QLatin1Char('|') +
                    fileName;
        if (answers.empty()) {
            return std::nullopt;
        }
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QStringList seen;
    std::deque<QString> answers;
};

// Answers each modal message box with Enter as it opens, keeping "title|text" for each.
class BoxCloser {
public:
    BoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->windowTitle() + QLatin1Char('|') + box->text();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        timer_.start(10);
    }
    QStringList boxes;

private:
    QTimer timer_;
};

QStringList MessageBoxesDuring(const std::function<void()>& action) {
    BoxCloser closer;
    action();
    return closer.boxes;
}

// Chinese arrives as an input method's committed text, as a user's IME sends it.
void Type(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Runs `script` on the modal dialog or the menu that `open` shows, once it is up.
void WhileShown(const std::function<void(QWidget*)>& script, const std::function<void()>& open) {
    QTimer::singleShot(0, [&] {
        QWidget* shown = QApplication::activePopupWidget();
        script(shown != nullptr ? shown : QApplication::activeModalWidget());
    });
    open();
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

    void click(const char* button) { QTest::mouseClick(control(button), Qt::LeftButton); }
    QString Path(const char* relative) const {
        return QString::fromStdString((app->path() / relative).string());
    }

    QStringList listEntries() {
        QStringList entries;
        for (int row = 0; row < control<QListWidget>("List1")->count(); ++row) {
            entries << control<QListWidget>("List1")->item(row)->text();
        }
        return entries;
    }

    // The context menu on song n: "text|enabled" for each of its entries.
    QStringList menuOn(int n) {
        auto* list = control<QListWidget>("List1");
        const QPoint at = list->visualItemRect(list->item(n - 1)).center();
        QStringList entries;
        WhileShown(
            [&](QWidget* menu) {
                for (QAction* action : qobject_cast<QMenu*>(menu)->actions()) {
                    entries << action->text() + QLatin1Char('|') +
                                   QString::number(action->isEnabled());
                }
                menu->close();
            },
            [&] {
                QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                                        list->viewport()->mapToGlobal(at));
                QApplication::sendEvent(list->viewport(), &event);
            });
        return entries;
    }

    void addSong(const QString& name, const QString& firstLine, const QString& secondLine) {
        Type(control("Text1"), name);
        Type(control("Text2"), firstLine);
        QTest::keyClick(control("Text2"), Qt::Key_Return);
        Type(control("Text2"), secondLine);
        click("Command3");
    }

private slots:
    void init() {
        app = std::make_unique<ProgramFolder>("lyric app 歌词");
        form = std::make_unique<Form1>(app->path(), clock, dialogs);
        QVERIFY(form->Form_Load());
        form->show();
    }

    void cleanup() {
        form.reset();
        app.reset();
    }

    void startsAsTheTableSays() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Velmora 0.1.0"));
        QCOMPARE(form->size(), QSize(361, 278));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(control<QLineEdit>("Text3")->text(),
                 QString::fromStdString(app->path().string()) + QStringLiteral("/finished/"));
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("等待制作..."));
        QCOMPARE(control<QLineEdit>("Text4")->text(), QStringLiteral("Text4"));
        // Twips at 15 a pixel, a sample of the table.
        QCOMPARE(control("List1")->geometry(), QRect(208, 8, 137, 182));
        QCOMPARE(control("Text2")->geometry(), QRect(8, 53, 193, 137));
        QCOMPARE(control("Label4")->geometry(), QRect(104, 251, 113, 15));
        QCOMPARE(control("Command5")->geometry(), QRect(232, 248, 113, 17));
        const char* order[] = {"Text1",    "Text2", "Text3",    "Command1", "Command2",
                               "Command3", "Text4", "Command4", "Command5", "List1"};
        QWidget* widget = control("List1");
        for (const char* name : order) {
            do {
                widget = widget->nextInFocusChain();
            } while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty());
            QCOMPARE(widget->objectName(), QLatin1String(name));
        }
    }

    void addsThroughTheWidgets() {
        QTest::keyClick(control("Text1"), Qt::Key_Return);  // presses no button
        const QStringList boxes = MessageBoxesDuring([&] { click("Command3"); });
        QCOMPARE(boxes, QStringList{QStringLiteral("提示|歌词和歌名不能为空。")});
        addSong(QStringLiteral("月光"), QStringLiteral("床前\u00A0明月光"),
                QStringLiteral("疑是地上霜"));
        QCOMPARE(control<QListWidget>("List1")->item(0)->text(), QStringLiteral("1:月光"));
        QVERIFY(control<QLineEdit>("Text1")->text().isEmpty());
        QVERIFY(control<QPlainTextEdit>("Text2")->toPlainText().isEmpty());
        // The lyric reached the core as typed, with CR LF: "前", U+00A0 and "光", CR LF,
        // "疑" in GB18030 in the log, U+00A0 in UTF-8 in the page.
        const fs::path run = app->path() / "temp" / "1704067200";
        const std::string log = ReadBytes(run / "lyric.txt");
        QVERIFY(log.find("\xC7\xB0\x81\x30\x84\x32\xC3\xF7") != std::string::npos);
        QVERIFY(log.find("\xB9\xE2\r\n\xD2\xC9") != std::string::npos);
        const std::string page = ReadBytes(run / "epub" / "text" / "part0001.html");
        QVERIFY(page.find("\xE5\x89\x8D\xC2\xA0\xE6\x98\x8E") != std::string::npos);
    }

    void dialogsTranslateFiltersAndKeepTheirNameOnCancel() {
        QCOMPARE(NameFilters(QStringLiteral("A(*.jpg;*.png)|*.jpg;*.png|B|*.png")),
                 (QStringList{QStringLiteral("A(*.jpg;*.png) (*.jpg *.png)"),
                              QStringLiteral("B (*.png)")}));
        click("Command1");
        QCOMPARE(control<QLineEdit>("Text3")->text(), QStringLiteral("我的歌词本"));
        click("Command4");
        QCOMPARE(control<QLineEdit>("Text4")->text(), QString());
        dialogs.answers.push_back(QStringLiteral("/out/a.epub"));
        click("Command1");
        click("Command1");
        QCOMPARE(control<QLineEdit>("Text3")->text(), QStringLiteral("/out/a.epub"));
        QCOMPARE(dialogs.seen[0],
                 QStringLiteral("选择保存路径|电子出版(*.epub) (*.epub)|我的歌词本"));
        QCOMPARE(dialogs.seen[3],
                 QStringLiteral("选择保存路径|电子出版(*.epub) (*.epub)|/out/a.epub"));
    }

    void makeButtonBuildsWithoutBlockingAndShowsFailures() {
        addSong(QStringLiteral("月光"), QStringLiteral("a"), QStringLiteral("b"));
        click("Command2");
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("打包..."));
        QTRY_COMPARE_WITH_TIMEOUT(control<QLabel>("Label4")->text(), QStringLiteral("制作完成"),
                                  20000);
        QVERIFY(fs::exists(app->path() / "finished" / "我的歌词本.epub"));

        fs::remove(app->path() / "template" / "cover.jpeg");
        const QStringList boxes = MessageBoxesDuring([&] { click("Command2"); });
        QCOMPARE(boxes, QStringList{QStringLiteral("Velmora|文件无法读入！\n") + Path("template") +
                                    QStringLiteral("/cover.jpeg")});
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("制作失败"));
        QVERIFY(form->isVisible());
    }

    // Not only the core's own failures: whatever a handler raises is shown, and the window
    // goes on.
    void anyErrorInAHandlerIsShown() {
        Type(control("Text1"), QStringLiteral("A"));
        Type(control("Text2"), QStringLiteral("x"));
        QStringList boxes;
        {
            InjectedFaults faults({Throws(Call::Open, "part0000.html")});
            boxes = MessageBoxesDuring([&] { click("Command3"); });
        }
        QCOMPARE(boxes, QStringList{QStringLiteral("Velmora|操作未能完成：std::bad_alloc")});
        QCOMPARE(control<QListWidget>("List1")->count(), 0);
        click("Command3");
        QCOMPARE(control<QListWidget>("List1")->count(), 1);
    }

    void openingAPathThatCannotBeOpenedIsShown() {
        control<QLineEdit>("Text3")->setText(QStringLiteral("/no/such/folder/"));
        BoxCloser closer;
        click("Command5");
        QTRY_COMPARE_WITH_TIMEOUT(
            closer.boxes, QStringList{QStringLiteral("Velmora|无法打开：/no/such/folder/")}, 20000);
    }

    void listMenuOffersWhatApplies() {
        for (const char* name : {"A", "B", "C"}) {
            addSong(QLatin1String(name), QStringLiteral("x"), QStringLiteral("y"));
        }
        QCOMPARE(menuOn(1), (QStringList{"修改…|1", "删除|1", "上移|0", "下移|1"}));
        QCOMPARE(menuOn(3), (QStringList{"修改…|1", "删除|1", "上移|1", "下移|0"}));
        QCOMPARE(control<QListWidget>("List1")->currentRow(), 2);
    }

    void keysMoveAndRemoveTheSelectedSong() {
        for (const char* name : {"A", "B", "C"}) {
            addSong(QLatin1String(name), QStringLiteral("x"), QStringLiteral("y"));
        }
        auto* list = control<QListWidget>("List1");
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(listEntries(), (QStringList{"1:B", "2:A", "3:C"}));
        QCOMPARE(list->currentRow(), 0);
        QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);  // the first stays first
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(listEntries(), (QStringList{"1:A", "2:C", "3:B"}));
        const QStringList boxes =
            MessageBoxesDuring([&] { QTest::keyClick(list, Qt::Key_Delete); });
        QCOMPARE(boxes, QStringList{"提示|确定删除第 3 首《B》吗？"});
        QCOMPARE(listEntries(), (QStringList{"1:A", "2:C"}));
        QCOMPARE(list->currentRow(), 1);
    }

    void editDialogRefusesEmptyInputAndKeepsWhatIsTyped() {
        addSong(QStringLiteral("月光"), QStringLiteral("a"), QStringLiteral("b"));
        auto* list = control<QListWidget>("List1");
        list->setCurrentRow(0);
        QStringList boxes;
        WhileShown(
            [&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("修改歌曲"));
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("EditName"));
                auto* lyric = dialog->findChild<QPlainTextEdit*>(QStringLiteral("EditLyric"));
                QCOMPARE(dialog->focusWidget(), name);
                QCOMPARE(lyric->toPlainText(), QStringLiteral("a\nb"));
                name->clear();
                boxes = MessageBoxesDuring([&] { QTest::keyClick(name, Qt::Key_Return); });
                QVERIFY(dialog->isVisible());
                Type(name, QStringLiteral("新名"));
                lyric->moveCursor(QTextCursor::End);
                Type(lyric, QStringLiteral("\u00A0c"));
                QTest::keyClick(lyric, Qt::Key_Return, Qt::ControlModifier);
            },
            [&] { QTest::keyClick(list, Qt::Key_Return); });
        QCOMPARE(boxes, QStringList{"提示|歌词和歌名不能为空。"});
        QCOMPARE(listEntries(), QStringList{"1:新名"});
        const fs::path run = app->path() / "temp" / "1704067200";
        QVERIFY(ReadBytes(run / "lyric.txt")
                    .ends_with("<editno=1><songname=\xD0\xC2\xC3\xFB><lyric=a\r\nb\x81\x30\x84\x32"
                               "c></edit no = 1>\r\n"));
        QVERIFY(ReadBytes(run / "epub" / "text" / "part0002.html")
                    .find("a<br/>\nb\xC2\xA0"
                          "c") != std::string::npos);
    }

    void loadFailureIsShownAndReported() {
        ProgramFolder broken;
        fs::remove(broken / "template" / "META-INF" / "container.xml");
        Form1 other(broken.path(), clock, dialogs);
        bool loaded = true;
        const QStringList boxes = MessageBoxesDuring([&] { loaded = other.Form_Load(); });
        QVERIFY(!loaded);
        QCOMPARE(boxes,
                 QStringList{QStringLiteral("Velmora|文件无法读入！\n") +
                             QString::fromStdString(
                                 (broken / "template" / "META-INF" / "container.xml").string())});
        QVERIFY(fs::is_empty(broken / "temp"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
