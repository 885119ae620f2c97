// Feeds arbitrary bytes the way a chosen cover goes: what the file declares and its scans
// bounded, decoded strictly, turned as its EXIF block says, made the book's JPEG. A broken or
// hostile image must be refused with a Failure, never crash or take more than its bounds.

#include <QGuiApplication>
#include <cstdint>
#include <string>

#include "cover/cover_image.h"
#include "text/failure.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The toolkit as the program has it: its image readers, off any screen. What they say of
    // each broken file is no finding.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        CoverJpeg(std::string(reinterpret_cast<const char*>(data), size), "cover");
    } catch (const velmora::Failure&) {
    }
    return 0;
}
