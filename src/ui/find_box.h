#pragma once
// 查找: the box above the song list that narrows it as the user types. Hidden until asked
// for; Escape empties it, hides it and says so, for the keys to go back to the list.

#include <QLineEdit>

class FindBox : public QLineEdit {
    Q_OBJECT

public:
    explicit FindBox(QWidget* parent);

    // Shown, with the keys and its text selected.
    void Start();

signals:
    void ended();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
