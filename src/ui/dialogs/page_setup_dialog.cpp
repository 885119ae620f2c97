#include "ui/dialogs/page_setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

namespace {

QDoubleSpinBox* SpinBox(QWidget* parent, const char* name, double low, double high, double value,
                        const QString& suffix) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(low, high);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(suffix);
    box->setValue(value);
    return box;
}

}  // namespace

PageSetupDialog::PageSetupDialog(QWidget* parent, const velmora::PrintOptions& options)
    : QDialog(parent) {
    setWindowTitle(tr("页面设置"));
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("Paper"));
    paper_->addItems({QStringLiteral("A5"), QStringLiteral("B5"), QStringLiteral("A4"),
                      tr("Letter（美国信纸）")});
    paper_->setCurrentIndex(static_cast<int>(options.paper));
    margin_ = SpinBox(this, "Margin", 5, 40, options.marginMm, tr(" 毫米"));
    size_ = SpinBox(this, "LyricSize", 7, 24, options.lyricPoints, tr(" 磅"));
    newPages_ = new QCheckBox(tr("每首歌从新的一页开始"), this);
    newPages_->setObjectName(QStringLiteral("NewPages"));
    newPages_->setChecked(options.newPages);
    booklet_ = new QCheckBox(tr("小册子：A5 页两页拼一张 A4，双面打印后对折装订"), this);
    booklet_->setObjectName(QStringLiteral("Booklet"));
    booklet_->setChecked(options.booklet);
    // A booklet's pages are A5 whatever the paper says.
    paper_->setEnabled(!options.booklet);
    connect(booklet_, &QCheckBox::toggled, paper_, [this](bool on) { paper_->setEnabled(!on); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("PageSetupOk"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(tr("纸张："), paper_);
    form->addRow(tr("页边距："), margin_);
    form->addRow(tr("歌词字号："), size_);
    form->addRow(newPages_);
    form->addRow(booklet_);
    form->addRow(buttons);
}

velmora::PrintOptions PageSetupDialog::Options() const {
    return {static_cast<velmora::Paper>(paper_->currentIndex()), margin_->value(), size_->value(),
            newPages_->isChecked(), booklet_->isChecked()};
}

std::optional<velmora::PrintOptions> PageSetupDialog::Ask(QWidget* parent,
                                                          const velmora::PrintOptions& options) {
    PageSetupDialog dialog(parent, options);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Options();
}
