#include "ui/phone/phone_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "share/book_address.h"
#include "ui/phone/qr_image.h"

namespace {

// Big enough for a phone held at arm's length from the screen.
constexpr int kCodeSide = 240;

QLabel* AddLabel(QLayout* layout, const QString& text, const char* name) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

}  // namespace

PhoneDialog::PhoneDialog(QWidget* parent, const std::filesystem::path& book,
                         std::vector<std::uint32_t> addresses,
                         const std::function<void()>& openFolder)
    : QDialog(parent), addresses_(std::move(addresses)), fileName_(book.filename().string()) {
    setWindowTitle(tr("扫码下载到手机"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (addresses_.empty()) {
        AddLabel(layout, tr("没有找到局域网地址"), "NoAddress");
        auto* folder = new QPushButton(tr("打开成品文件夹"));
        folder->setObjectName(QStringLiteral("OpenFolder"));
        connect(folder, &QPushButton::clicked, this, openFolder);
        buttons->addWidget(folder);
    } else {
        Serve(book, layout);
    }
    AddLabel(layout, tr("文件：%1").arg(QString::fromStdString(fileName_)), "FileName");
    AddLabel(layout, tr("手机和电脑需要连在同一个网络"), "SameNetwork");
    if (server_) {
        downloads_ = AddLabel(layout, {}, "Downloads");
        ShowAddress(0);
        ShowDownloads();
    }
    auto* close = new QPushButton(tr("关闭"));
    close->setObjectName(QStringLiteral("Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PhoneDialog::Serve(const std::filesystem::path& book, QVBoxLayout* layout) {
    token_ = velmora::NewUrlToken();
    server_ = std::make_unique<velmora::BookServer>(
        book, velmora::BookUrlPath(token_, fileName_), velmora::ServerLimits{}, [this] {
            QMetaObject::invokeMethod(this, &PhoneDialog::ShowDownloads, Qt::QueuedConnection);
        });
    if (addresses_.size() > 1) {
        auto* choice = new QComboBox;
        choice->setObjectName(QStringLiteral("AddressChoice"));
        choice->setAccessibleName(tr("局域网地址"));
        for (const std::uint32_t address : addresses_) {
            choice->addItem(QString::fromStdString(velmora::DottedQuad(address)));
        }
        connect(choice, &QComboBox::currentIndexChanged, this, &PhoneDialog::ShowAddress);
        auto* row = new QFormLayout;
        row->addRow(tr("局域网地址："), choice);
        layout->addLayout(row);
    }
    code_ = AddLabel(layout, {}, "QrCode");
    code_->setAccessibleName(tr("二维码"));
    code_->setAlignment(Qt::AlignCenter);
    address_ = new QLineEdit;
    address_->setObjectName(QStringLiteral("Address"));
    address_->setAccessibleName(tr("下载地址"));
    address_->setReadOnly(true);
    layout->addWidget(address_);
}

QString PhoneDialog::Address() const {
    return address_ ? address_->text() : QString();
}

void PhoneDialog::ShowAddress(int choice) {
    const QString url = QString::fromStdString(
        velmora::BookUrl(addresses_.at(choice), server_->port(), token_, fileName_));
    address_->setText(url);
    address_->setCursorPosition(0);
    // Wide enough to read the whole address, on screens where that fits.
    address_->setMinimumWidth(
        std::min(address_->fontMetrics().horizontalAdvance(url) + kCodeSide / 8, 4 * kCodeSide));
    code_->setPixmap(QPixmap::fromImage(QrImage(url.toUtf8(), kCodeSide)));
}

void PhoneDialog::ShowDownloads() {
    downloads_->setText(tr("已完成下载：%1 次").arg(server_->downloads()));
}
