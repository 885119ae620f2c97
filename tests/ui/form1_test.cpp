#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <deque>

#include "form1.h"
#include "support/bytes.h"
#include "support/fakes.h"
#include "support/program_folder.h"

namespace fs = std::filesystem;
using namespace velmora::testing;

namespace {

// Answers each dialog with the next queued path, or cancels when none is queued.
class FakeDialogs : public FileDialogRunner {
public:
    std::optional<QString> runSaveDialog(QWidget*, const QString& title, const QStringList& filters,
                                         const QString& fileName) override {
        seen.push_back({title, filters, fileName});
        if (answers.empty()) {
            return std::nullopt;
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    struct Call {
        QString title;
        QStringList filters;
        QString fileName;
    };
    std::vector<Call> seen;
    std::deque<QString> answers;
};

// Closes the modal message boxes that show up while `action` runs, keeping their texts.
struct MessageBoxes {
    QStringList titles;
    QStringList texts;

    void during(const std::function<void()>& action) {
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                titles << box->windowTitle();
                texts << box->text();
                box->accept();
            }
        });
        closer.start();
        action();
    }
};

// Chinese arrives as an input method's committed text, as a user's IME sends it.
void Type(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramFolder> app;
    std::unique_ptr<FixedClock> clock;
    std::unique_ptr<FakeDialogs> dialogs;
    std::unique_ptr<Form1> form;

    template <typename T>
    T* control(const char* name) {
        auto* widget = form->findChild<T*>(QLatin1String(name));
        if (widget == nullptr) {
            qFatal("no control %s", name);
        }
        return widget;
    }

    void addSong(const QString& name, const QStringList& lines) {
        Type(control<QLineEdit>("Text1"), name);
        auto* lyric = control<QPlainTextEdit>("Text2");
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                QTest::keyClick(lyric, Qt::Key_Return);
            }
            Type(lyric, lines[i]);
        }
        QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    }

private slots:
    void init() {
        app = std::make_unique<ProgramFolder>("lyric app 歌词");
        fs::create_symlink("/usr/bin/7za", *app / "7za");
        clock = std::make_unique<FixedClock>(kNewYear2024);
        dialogs = std::make_unique<FakeDialogs>();
        form = std::make_unique<Form1>(app->path(), *clock, *dialogs);
        QVERIFY(form->Form_Load());
        form->show();
    }

    void cleanup() {
        form.reset();
        app.reset();
    }

    void startsWithTheCaptionsOfTheTable() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Velmora 0.1.0"));
        QVERIFY(!form->windowIcon().isNull());
        QCOMPARE(control<QLineEdit>("Text3")->text(),
                 QString::fromStdString(app->path().string()) + QStringLiteral("/finished/"));
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("等待制作..."));
        QCOMPARE(control<QLineEdit>("Text4")->text(), QStringLiteral("Text4"));
        QCOMPARE(control<QLabel>("Label5")->text(), QStringLiteral("自定义封面："));
        QCOMPARE(control<QPushButton>("Command5")->text(), QStringLiteral("打开成品文件夹"));
        QVERIFY(control<QLineEdit>("Text1")->text().isEmpty());
        QCOMPARE(control<QListWidget>("List1")->count(), 0);
        QCOMPARE(form->palette().color(QPalette::Window), form->palette().color(QPalette::Base));
        QVERIFY(fs::exists(app->path() / "temp" / "1704067200" / "lyric.txt"));
    }

    void geometryFollowsTheTwipsTable() {
        QCOMPARE(form->size(), QSize(361, 278));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        const struct {
            const char* name;
            int left, top, width, height;  // twips
        } table[] = {
            {"Label1", 120, 120, 615, 255},      {"Text1", 840, 120, 2175, 270},
            {"List1", 3120, 120, 2055, 2730},    {"Label2", 120, 480, 615, 255},
            {"Command3", 1920, 480, 1095, 255},  {"Text2", 120, 795, 2895, 2055},
            {"Label3", 120, 3000, 975, 255},     {"Text3", 1200, 3000, 3015, 270},
            {"Command1", 4320, 3000, 855, 255},  {"Label5", 120, 3360, 1215, 255},
            {"Text4", 1440, 3360, 2775, 270},    {"Command4", 4320, 3360, 855, 255},
            {"Command2", 120, 3720, 1215, 255},  {"Label4", 1560, 3770, 1695, 225},
            {"Command5", 3480, 3720, 1695, 255},
        };
        for (const auto& row : table) {
            const QRect expected(qRound(row.left / 15.0), qRound(row.top / 15.0),
                                 qRound(row.width / 15.0), qRound(row.height / 15.0));
            QCOMPARE(control<QWidget>(row.name)->geometry(), expected);
        }
    }

    void focusFollowsTheTabColumn() {
        const char* order[] = {"List1",    "Text1", "Text2",    "Text3",    "Command1", "Command2",
                               "Command3", "Text4", "Command4", "Command5", "List1"};
        QWidget* widget = control<QWidget>("List1");
        for (std::size_t i = 1; i < std::size(order); ++i) {
            widget = widget->nextInFocusChain();
            while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty()) {
                widget = widget->nextInFocusChain();
            }
            QCOMPARE(widget->objectName(), QLatin1String(order[i]));
        }
    }

    void addingThroughTheWidgetsFillsListAndFiles() {
        addSong(QStringLiteral("月光"),
                {QStringLiteral("床前明月光"), QStringLiteral("疑是地上霜")});
        addSong(QStringLiteral("春天"), {QStringLiteral("x")});
        auto* list = control<QListWidget>("List1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("1:月光"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("2:春天"));
        QVERIFY(control<QLineEdit>("Text1")->text().isEmpty());
        QVERIFY(control<QPlainTextEdit>("Text2")->toPlainText().isEmpty());
        const std::string log = ReadBytes(app->path() / "temp" / "1704067200" / "lyric.txt");
        QVERIFY(log.find("\xB4\xB2\xC7\xB0\xC3\xF7\xD4\xC2\xB9\xE2\r\n\xD2\xC9") !=
                std::string::npos);
        QVERIFY(
            fs::exists(app->path() / "temp" / "1704067200" / "epub" / "text" / "part0002.html"));
    }

    void emptyInputShowsTheNotice() {
        MessageBoxes boxes;
        boxes.during([&] { addSong(QStringLiteral("月光"), {}); });
        QCOMPARE(boxes.titles, QStringList{QStringLiteral("提示")});
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("歌词和歌名不能为空。")});
        QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("月光"));
        QCOMPARE(control<QListWidget>("List1")->count(), 0);
    }

    void enterPressesNoButtonAndBreaksTheLyric() {
        MessageBoxes boxes;
        boxes.during([&] {
            QTest::keyClicks(control<QLineEdit>("Text1"), QStringLiteral("A"));
            QTest::keyClick(control<QLineEdit>("Text1"), Qt::Key_Return);
        });
        QVERIFY(boxes.texts.isEmpty());
        QCOMPARE(control<QListWidget>("List1")->count(), 0);
        auto* lyric = control<QPlainTextEdit>("Text2");
        QTest::keyClicks(lyric, QStringLiteral("a"));
        QTest::keyClick(lyric, Qt::Key_Return);
        QTest::keyClicks(lyric, QStringLiteral("b"));
        QCOMPARE(lyric->toPlainText(), QStringLiteral("a\nb"));
        QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
        const std::string log = ReadBytes(app->path() / "temp" / "1704067200" / "lyric.txt");
        QCOMPARE(QString::fromStdString(log),
                 QStringLiteral("<songno=1><songname=A><lyric=a\r\nb></song no = 1>\r\n"));
    }

    void nameFiltersFilterOnEveryPattern() {
        QCOMPARE(NameFilters(QStringLiteral("电子出版(*.epub)|*.epub")),
                 QStringList{QStringLiteral("电子出版(*.epub) (*.epub)")});
        QCOMPARE(
            NameFilters(QStringLiteral("所有图像文件(*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png|"
                                       "可移植网络图形(*.png)|*.png")),
            (QStringList{QStringLiteral("所有图像文件(*.jpg;*.jpeg;*.png) (*.jpg *.jpeg *.png)"),
                         QStringLiteral("可移植网络图形(*.png) (*.png)")}));
        QCOMPARE(NameFilters(QString()), QStringList());
    }

    void dialogsKeepTheirNameOnCancelAndTakeTheChoice() {
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>("Text3")->text(), QStringLiteral("我的歌词本"));
        QTest::mouseClick(control<QPushButton>("Command4"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>("Text4")->text(), QString());
        dialogs->answers.push_back(QStringLiteral("/out/a.epub"));
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>("Text3")->text(), QStringLiteral("/out/a.epub"));
        QCOMPARE(dialogs->seen.size(), 4u);
        QCOMPARE(dialogs->seen[0].title, QStringLiteral("选择保存路径"));
        QCOMPARE(dialogs->seen[0].fileName, QStringLiteral("我的歌词本"));
        QCOMPARE(dialogs->seen[1].fileName, QString());
        QCOMPARE(dialogs->seen[1].filters.size(), 3);
        QCOMPARE(dialogs->seen[3].fileName, QStringLiteral("/out/a.epub"));
    }

    void realDialogSelectsTheFirstFilterAndAsksNothing() {
        QtFileDialogRunner runner;
        QStringList filters;
        QString selected;
        QFileDialog::Options options;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QString suffix = QStringLiteral("unset");
        QTimer::singleShot(50, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                filters = dialog->nameFilters();
                selected = dialog->selectedNameFilter();
                options = dialog->options();
                mode = dialog->acceptMode();
                suffix = dialog->defaultSuffix();
                dialog->reject();
            }
        });
        const auto chosen =
            runner.runSaveDialog(form.get(), QStringLiteral("选择保存路径"),
                                 NameFilters(QStringLiteral("A(*.jpg;*.png)|*.jpg;*.png|B|*.png")),
                                 QStringLiteral("我的歌词本"));
        QVERIFY(!chosen.has_value());
        QCOMPARE(filters, NameFilters(QStringLiteral("A(*.jpg;*.png)|*.jpg;*.png|B|*.png")));
        // The user sees the description as the filter string gives it.
        QCOMPARE(selected, QStringLiteral("A(*.jpg;*.png)"));
        QVERIFY(options.testFlag(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(mode, QFileDialog::AcceptSave);
        QCOMPARE(suffix, QString());
    }

    void makeButtonBuildsTheBookWithoutBlocking() {
        addSong(QStringLiteral("月光"), {QStringLiteral("a"), QStringLiteral("b")});
        QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("打包..."));
        QTRY_COMPARE_WITH_TIMEOUT(control<QLabel>("Label4")->text(), QStringLiteral("制作完成"),
                                  20000);
        QVERIFY(fs::exists(app->path() / "finished" / "我的歌词本.epub"));
    }

    void coreFailureIsShownAndTheWindowStays() {
        addSong(QStringLiteral("月光"), {QStringLiteral("a")});
        fs::remove(app->path() / "template" / "cover.jpeg");
        MessageBoxes boxes;
        boxes.during([&] { QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton); });
        QCOMPARE(boxes.titles, QStringList{QStringLiteral("Velmora")});
        QVERIFY(boxes.texts.first().contains(QStringLiteral("cover.jpeg")));
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("制作失败"));
        QVERIFY(form->isVisible());
        QCOMPARE(control<QListWidget>("List1")->count(), 1);
    }

    void loadFailureIsShownAndReported() {
        ProgramFolder broken;
        fs::remove(broken / "temp");
        Form1 other(broken.path(), *clock, *dialogs);
        MessageBoxes boxes;
        bool loaded = true;
        boxes.during([&] { loaded = other.Form_Load(); });
        QVERIFY(!loaded);
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY(boxes.texts.first().contains(QString::fromStdString((broken / "temp").string())));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
