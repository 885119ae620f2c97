#include "ui/form1.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "ui/dialogs/guide_dialog.h"
#include "ui/file_drops.h"
#include "ui/find_box.h"
#include "ui/list_commands.h"
#include "ui/main_menu.h"
#include "ui/recent_books.h"
#include "ui/remembered.h"
#include "ui/song_list.h"

// Where the window's commands come from: the menu bar, the list's own menu and keys, 查找,
// the reopen offer and files dropped.

void Form1::ConnectList() {
    ShowCount();
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(app_.Model(), changed, this, &Form1::ShowCount);
    }
    auto* list = new ListCommands(app_, boxes_, ui_.list1, this,
                                  [this] { Import(imports_.ChooseFiles(this)); });
    // Converted once the menu has closed: its event is done with, and the progress box paints.
    const auto convert = [this](velmora::ScriptForm to) {
        QTimer::singleShot(0, this, [this, to] { ConvertAll(to); });
    };
    menu_ = new MainMenu(
        this,
        {[this] { Import(imports_.ChooseFiles(this)); },
         [this] { Import(imports_.ChooseFolder(this)); },
         [this] {
             const QString book =
                 imports_.ChooseBook(this, QString::fromStdString(app_.FinishedFolder().string()));
             if (!book.isEmpty()) {
                 OpenBook(book);
             }
         },
         [this] { Command2_Click(); }, [this] { Command5_Click(); }, [this] { Command6_Click(); },
         [this] { close(); }, [this] { printing_.PageSetup(); }, [this] { printing_.ExportPdf(); },
         [this] { printing_.Preview(); }, [this] { printing_.Print(); },
         [this](QMenu* menu) {
             FillRecentMenu(menu, this, [this](const remembered::RecentBook& book) {
                 OpenBook(book.path, book.savePlace);
             });
         }},
        *list, {[this] { ui_.find1->Start(); }, convert},
        {[this] { ShowGuide(this); }, [this] { ShowAbout(this); }});
    layout()->setMenuBar(menu_);
    connect(ui_.find1, &QLineEdit::textChanged, ui_.list1->Filter(), &SongFilter::SetText);
    connect(ui_.reopenOffer, &QLabel::linkActivated, this, [this] {
        const QList<remembered::RecentBook> books = remembered::RecentBooks();
        if (!books.isEmpty()) {
            OpenBook(books.first().path, books.first().savePlace);
        }
    });
    connect(ui_.find1, &FindBox::ended, ui_.list1, [this] { ui_.list1->setFocus(); });
    auto* drops = new FileDrops(this, {ui_.text1, ui_.text2, ui_.text2->viewport(), ui_.text3,
                                       ui_.text4, ui_.list1->viewport()});
    connect(drops, &FileDrops::dropped, this,
            qOverload<const std::vector<std::filesystem::path>&>(&Form1::Import));
    ui_.text2->installEventFilter(this);
}
