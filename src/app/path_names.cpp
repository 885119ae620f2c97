#include "app/path_names.h"

#include <QCoreApplication>
#include <QFile>

std::filesystem::path PathOf(const QString& name) {
#ifdef _WIN32
    return name.toStdWString();
#else
    return QFile::encodeName(name).toStdString();
#endif
}

QString NameOf(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(path.c_str());
#endif
}

std::vector<std::filesystem::path> CommandLineFiles(int argc, char* argv[]) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    std::vector<std::filesystem::path> files;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        files.push_back(PathOf(arguments[k]));
    }
    return files;
#else
    return {argv + 1, argv + argc};
#endif
}
