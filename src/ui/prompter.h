#pragma once
// The boxes the program's wiring asks the window to show.

#include <QString>

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message box with an OK button.
    virtual void ShowMessage(const QString& text, const QString& title) = 0;
    // A modal question with two buttons: true for `yes`. Esc answers `no`.
    virtual bool Ask(const QString& text, const QString& title, const QString& yes,
                     const QString& no, bool yesIsDefault) = 0;
};

// The program's own name, the title of its boxes.
inline const QString kAppTitle = QStringLiteral("Velmora");
