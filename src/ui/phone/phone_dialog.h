#pragma once
// "扫码下载到手机": the finished book served on the local network while the dialog is open,
// its address as a QR code and as text, and how many downloads have been completed. With no
// LAN address to offer it says so and offers the folder instead, and serves nothing.

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "share/book_server.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

class PhoneDialog : public QDialog {
    Q_OBJECT

public:
    // Serves `book` at a new token, on every interface; `addresses` (the first shown) are the
    // ones a phone may reach. Raises velmora::Failure when the book cannot be served.
    PhoneDialog(QWidget* parent, const std::filesystem::path& book,
                std::vector<std::uint32_t> addresses, const std::function<void()>& openFolder);

    // The address shown, and the port served (0 when none).
    QString Address() const;
    std::uint16_t Port() const { return server_ ? server_->port() : 0; }

private:
    // Starts the server at a new token, and the controls that show its address.
    void Serve(const std::filesystem::path& book, QVBoxLayout* layout);
    void ShowAddress(int choice);
    void ShowDownloads();

    std::vector<std::uint32_t> addresses_;
    std::string token_;
    std::string fileName_;
    std::unique_ptr<velmora::BookServer> server_;
    QLabel* code_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLabel* downloads_ = nullptr;
};
