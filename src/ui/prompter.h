#pragma once
// The boxes the program's wiring asks the window to show.

#include <QString>

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message box with an OK button.
    virtual void ShowMessage(const QString& text, const QString& title) = 0;
};

// The program's own name, the title of its boxes.
inline const QString kAppTitle = QStringLiteral("Velmora");
