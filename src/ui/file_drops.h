#pragma once
// Local files dropped onto any of the widgets watched: the drag is accepted wherever it
// carries local files, and once the drop has ended (the file manager is not kept waiting)
// the files are told.

#include <QObject>
#include <filesystem>
#include <vector>

class QString;
class QWidget;

// A path a dialog gave, as the folder holds it. A name that is not UTF-8 comes with U+FFFD
// in it: only the folder's own entry has its bytes.
std::filesystem::path LocalFile(const QString& path);

class FileDrops : public QObject {
    Q_OBJECT

public:
    // Watches `window` (which then accepts drops) and each of `targets`.
    FileDrops(QWidget* window, std::initializer_list<QObject*> targets);

signals:
    void dropped(const std::vector<std::filesystem::path>& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
