#include <QtTest>
#include <QtWidgets>

#include "support/fakes.h"
#include "ui/form1.h"
#include "ui/status_label.h"

using namespace velmora::testing;

// The window laid out at whatever scale and font size the environment sets (ctest runs this
// at 1, 1.5 and 2 times, and with fonts twice as large as the controls expect): the rows and
// the order are as they always were, and no control overlaps another or is cut off, at the
// first size, at the smallest and grown.
class LayoutTest : public QObject {
    Q_OBJECT

    QTemporaryDir settings;
    std::unique_ptr<RunFolder> folder;
    QtFileDialogRunner dialogs;
    QtMessageBoxRunner boxes;
    std::unique_ptr<Application> app;
    std::unique_ptr<Form1> form;

    QWidget* control(const char* name) { return form->findChild<QWidget*>(QLatin1String(name)); }

    // Every control of the window: none overlaps another, none lies outside the window, and
    // each is at least as large as it must be to show its caption whole.
    void nothingOverlapsOrIsCut() {
        QList<QWidget*> controls = form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        controls.removeIf([](const QWidget* control) { return control->isHidden(); });
        for (QWidget* one : controls) {
            const QString name = one->objectName();
            QVERIFY2(form->rect().contains(one->geometry()), qPrintable(name));
            if (qobject_cast<QLabel*>(one) != nullptr &&
                qobject_cast<StatusLabel*>(one) == nullptr) {
                QVERIFY2(one->width() >= one->sizeHint().width(), qPrintable(name));
            }
            if (auto* button = qobject_cast<QPushButton*>(one)) {
                const int text = button->fontMetrics().horizontalAdvance(button->text());
                QVERIFY2(button->width() > text, qPrintable(name));
            }
            QVERIFY2(one->height() >= one->minimumSizeHint().height(), qPrintable(name));
            for (QWidget* other : controls) {
                QVERIFY2(one == other || !one->geometry().intersects(other->geometry()),
                         qPrintable(name + " over " + other->objectName()));
            }
        }
    }

private slots:
    void init() {
        // This process's own remembered geometry: the runs at other scales go on beside it.
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QSettings().clear();
        form.reset();  // the previous test's window goes before its folder
        app.reset();
        folder = std::make_unique<RunFolder>();
        app = std::make_unique<Application>(folder->app.path(), folder->clock);
        form = std::make_unique<Form1>(*app, dialogs, boxes);
        QVERIFY(form->Form_Load());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void startsAsAlways() {
        QCOMPARE(form->windowTitle(), "Velmora 0.1.0");
        const QString finished = QDir::toNativeSeparators(
            QString::fromStdString(folder->app.path().string()) + "/finished/");
        for (const auto& [name, text] : {std::pair<const char*, QString>{"Text3", finished},
                                         {"Label4", "等待制作..."},
                                         {"Text4", "Text4"},
                                         {"Text5", "我的歌词本"},
                                         {"Text6", "Velmora"}}) {
            QCOMPARE(control(name)->property("text").toString(), text);
        }
        QCOMPARE(QApplication::focusWidget(), control("Text1"));
        // The order of the Tab key, and each box by its label's name, as a screen reader finds it.
        QStringList order;
        for (QWidget* at = control("List1"); order.size() < 14; at = at->nextInFocusChain()) {
            if (at->focusPolicy() & Qt::TabFocus) {
                order << (at->objectName() + ' ' + at->accessibleName()).trimmed();
            }
        }
        QCOMPARE(order, (QStringList{"List1 歌曲列表", "Text1 歌名", "Text7 歌手", "Text2 歌词",
                                     "Text3 保存路径", "Command1", "Command2", "Command3",
                                     "Text4 自定义封面", "Command4", "Text5 书名", "Text6 作者",
                                     "Command6", "Command5"}));
        QCOMPARE(form->findChild<QLabel*>("Label1")->buddy(), control("Text1"));
        // Each row from left to right, each column from top to bottom.
        for (const char* line :
             {"row Label1 Text1 List1", "row Label8 Text7 List1", "row Text2 List1",
              "row Label3 Text3 Command1", "row Label5 Text4 Command4",
              "row Label6 Text5 Label7 Text6", "row Command2 Label4 Command6 Command5",
              "column Label1 Label8 Label2",
              "column Text1 Text7 Command3 Text2 Text3 Text4 Text5 Command2",
              "column List1 Label9 Text3"}) {
            QStringList names = QString(line).split(' ');
            const bool across = names.takeFirst() == "row";
            for (qsizetype i = 0; i + 1 < names.size(); ++i) {
                const QRect first = control(qPrintable(names[i]))->geometry();
                const QRect then = control(qPrintable(names[i + 1]))->geometry();
                const bool sameRow = then.top() <= first.bottom() && first.top() <= then.bottom();
                QVERIFY2(
                    across ? sameRow && then.left() > first.right() : then.top() > first.bottom(),
                    qPrintable(names[i] + " / " + names[i + 1]));
            }
        }
        // Captions end where the list begins: the add button keeps to the name box's right.
        QCOMPARE(control("Command3")->geometry().right(), control("Text1")->geometry().right());
        auto* lyric = form->findChild<QPlainTextEdit*>("Text2");
        lyric->setPlainText(QString("行\n").repeated(60));
        QTRY_VERIFY(lyric->verticalScrollBar()->isVisible());
    }

    void fitsAtEverySize() {
        QCOMPARE(form->minimumSize(), form->layout()->totalMinimumSize());
        nothingOverlapsOrIsCut();
        form->resize(1, 1);
        QCOMPARE(form->size(), form->minimumSize());
        nothingOverlapsOrIsCut();
        // Grown, the list and the lyric box take the room; the rest keep their height.
        const QSize list = control("List1")->size();
        const QSize lyric = control("Text2")->size();
        const int button = control("Command2")->height();
        form->resize(form->width() + 300, form->height() + 200);
        QVERIFY(QTest::qWaitFor([&] { return control("List1")->height() == list.height() + 200; }));
        QCOMPARE(control("Text2")->height(), lyric.height() + 200);
        QVERIFY(control("List1")->width() > list.width() + 100);
        QVERIFY(control("Text2")->width() > lyric.width() + 100);
        QCOMPARE(control("Command2")->height(), button);
        nothingOverlapsOrIsCut();
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
