#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Velmora 0.1.0 尚未完成：窗口正在制作中。"));
    window.setWindowTitle(QStringLiteral("Velmora 0.1.0"));
    window.setMargin(24);
    window.show();
    return QApplication::exec();
}
