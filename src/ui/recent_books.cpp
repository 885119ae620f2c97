#include "ui/recent_books.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>

#include "ui/wording.h"

namespace {

// The window's own words (its translation context).
struct Words {
    Q_DECLARE_TR_FUNCTIONS(Form1)
};

}  // namespace

void FillRecentMenu(QMenu* menu, QObject* context,
                    const std::function<void(const remembered::RecentBook&)>& open) {
    menu->clear();
    const QList<remembered::RecentBook> books = remembered::RecentBooks();
    for (qsizetype i = 0; i < books.size(); ++i) {
        const remembered::RecentBook& book = books[i];
        QAction* item = menu->addAction(Words::tr("《%1》（%2 首，%3 制作）")
                                            .arg(Elided(book.title.toStdU16String()))
                                            .arg(book.songs)
                                            .arg(book.made),
                                        context, [open, book] { open(book); });
        item->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
        item->setToolTip(book.path);
        item->setEnabled(QFileInfo(book.path).isFile());
    }
    if (books.isEmpty()) {
        menu->addAction(Words::tr("（还没有制作过）"))->setEnabled(false);
    }
}

QString ReopenOfferText() {
    const QList<remembered::RecentBook> books = remembered::RecentBooks();
    if (books.isEmpty() || !QFileInfo(books.first().path).isFile()) {
        return {};
    }
    return Words::tr("继续编辑《%1》（%2 首，%3 制作）")
        .arg(Elided(books.first().title.toStdU16String()))
        .arg(books.first().songs)
        .arg(books.first().made);
}
