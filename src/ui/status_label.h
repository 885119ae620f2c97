#pragma once
// The status line: a text longer than the line is cut in the middle, so its start and its
// end both say something (制作完成 … the copy's name); the whole text is kept. It takes the
// room its row has and asks for none, so a long status never widens the window.

#include <QLabel>

class StatusLabel : public QLabel {
    Q_OBJECT

public:
    explicit StatusLabel(QWidget* parent = nullptr);

    void Show(const QString& text, const QString& more = {});

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit();

    QString full_;
};
