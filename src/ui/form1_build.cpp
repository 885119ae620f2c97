#include "ui/form1.h"

#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include "ui/dialogs/build_questions.h"
#include "ui/failure_wording.h"
#include "ui/recent_books.h"
#include "ui/remembered.h"
#include "ui/status_label.h"
#include "ui/wording.h"

// The window's 开始制作: the questions before a build, and what it says of the book made.

void Form1::Command2_Click() {
    const velmora::RunBoxes boxes = Boxes();
    BuildCheck check = app_.CheckBuild(boxes);
    if (const QString refusal = BuildRefusalText(check.plan.refusal); !refusal.isEmpty()) {
        Say(refusal, HintTitle());
    } else if (!Answered(this, boxes_, check, Elided(ui_.text5->text().toStdU16String()))) {
        return;
    } else if (check.asNewBook) {
        // Its own title makes it a book of its own: its file, its identifiers, its cover.
        const auto title =
            boxes_.AskText(this, tr("新书的书名："), AppTitle(),
                           QString::fromStdU16String(app_.NewBookTitle(boxes.title)));
        if (title) {
            ShowBoxes(app_.AsNewBook(boxes, title->toStdU16String()));
            KeepBoxes();
            Command2_Click();
        }
    } else {
        Said(app_.Build(boxes, check));
    }
}

void Form1::ShowBuilt(const velmora::BuildResult& result) {
    ShowPhoneButton();
    const QString book = QString::fromStdU16String(velmora::PathText(result.book));
    remembered::KeepRecentBook({book, QString::fromStdU16String(result.info.title),
                                static_cast<int>(result.songs),
                                QDate::currentDate().toString(Qt::ISODate), ui_.text3->text()});
    ShowReopenOffer();
    ui_.label4->Show(tr("制作完成：%1").arg(QFileInfo(book).fileName()), book);
    ui_.label10->disconnect();
    connect(ui_.label10, &QLabel::linkActivated, this, [this, book] { app_.ShowInFolder(book); });
    ui_.label10->show();
    if (!result.copy.empty()) {
        const QString copy = QString::fromStdU16String(velmora::PathText(result.copy));
        ui_.label4->Show(tr("制作完成，已另存到：") + Elided(copy, 40), copy);
    }
    if (result.copyFailure) {
        // The status says what did not happen as well, not 制作完成 alone.
        const QString place =
            QString::fromStdU16String(velmora::PathText(result.copyFailure->path()));
        ui_.label4->Show(tr("制作完成，但没有另存到：") + Elided(place, 40), place);
        Say(Wording(*result.copyFailure), AppTitle());
    }
}
