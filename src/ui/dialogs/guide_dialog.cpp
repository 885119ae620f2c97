#include "ui/dialogs/guide_dialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

struct Guide {
    Q_DECLARE_TR_FUNCTIONS(Guide)
public:
    static QString Text() {
        return tr(
            "<h3>Velmora 使用说明</h3>"
            "<p><b>添加歌曲</b>：在“歌名”和“歌词”里输入，按“添加”（或 Ctrl+Enter）。"
            "右边的列表就是书里的歌，按书中的顺序。</p>"
            "<p><b>导入</b>：文件 → 导入文件…（Ctrl+O）或导入文件夹…（Ctrl+Shift+O）；"
            "也可以把 .lrc、.txt 歌词文件、带歌词的音乐文件、文件夹或本程序做的 .epub "
            "拖进窗口。</p>"
            "<p><b>修改</b>：在列表里选中一首歌，Enter 修改，Delete 删除，"
            "Ctrl+↑ / Ctrl+↓ 移动；按住 Shift 或 Ctrl 点选（或 Ctrl+A）可以一次删除、移动几首。"
            "Ctrl+Z 撤销，Ctrl+Shift+Z 重做。右键菜单里也有这些命令。</p>"
            "<p><b>简繁转换</b>：编辑 → 转换 → "
            "简体、繁體（台灣用词）、繁體（香港）或繁體（只换字形），"
            "一次转换所有歌曲和书名、作者；Ctrl+Z 撤销。</p>"
            "<p><b>接着编辑</b>：文件 → 最近的书 或 打开书…（Ctrl+Alt+O）把做过的书连同书名、作者、"
            "封面一起打开；列表空着时也可以点下面的“继续编辑”。</p>"
            "<p><b>书</b>：“书名”和“作者”写进书里；“自定义封面”可以选一张 JPEG 或 PNG "
            "图片；“保存路径”是书另存一份的地方（和成品文件夹相同时不另存）。</p>"
            "<p><b>制作</b>：按“开始制作”（Ctrl+B）。书放在成品文件夹里：程序旁边的 finished "
            "文件夹，程序所在的文件夹不能写入时是“文档/Velmora”；“打开成品文件夹”（Ctrl+E）"
            "打开它。</p>"
            "<p><b>传到手机</b>：制作完成后按“传到手机”（Ctrl+M），用手机扫二维码下载；"
            "手机和电脑要连在同一个网络里。</p>");
    }
    static QString Title() { return tr("使用说明"); }
    static QString About() { return tr("关于 Velmora"); }
    static QString AboutText() {
        return tr("Velmora %1\n把输入或导入的歌词做成 EPUB 电子书。").arg(VELMORA_VERSION);
    }
};

}  // namespace

void ShowGuide(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("Guide"));
    dialog.setWindowTitle(Guide::Title());
    auto* text = new QTextBrowser(&dialog);
    text->setHtml(Guide::Text());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.resize(dialog.fontMetrics().averageCharWidth() * 70, dialog.fontMetrics().height() * 28);
    dialog.exec();
}

void ShowAbout(QWidget* parent) {
    QMessageBox::about(parent, Guide::About(), Guide::AboutText());
}
