#pragma once
// A small picture of the cover the cover box asks for (the template's for its start value),
// made off the window's thread a moment after the box stops changing: a large or hostile
// image never holds the window. Nothing is shown for a box that names no usable image.

#include <QFutureWatcher>
#include <QImage>
#include <QLabel>
#include <QTimer>

class CoverPreview : public QLabel {
    Q_OBJECT

public:
    explicit CoverPreview(QWidget* parent);

    // `templateCover`: the cover.jpeg a box at its start value stands for.
    void Show(const QString& coverBox, const QString& templateCover);

private:
    void Make();

    QString box_;
    QString template_;
    QTimer settle_;
    QFutureWatcher<QImage> made_;
};
