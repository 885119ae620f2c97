#pragma once
// The window's modal boxes: a message with an OK button, a question with two or more, and
// one that asks for a line of text.
// Each is shown through a runner, as the file dialogs are: the tests put one in its place
// that reads what was asked and gives the answers they set.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// Shows one modal box: its title, its text and its buttons (none: OK alone), `defaultButton`
// Enter's and the last Esc's. The index of the button chosen; -1 when none was (the box was
// closed by the program ending).
class MessageBoxRunner {
public:
    virtual ~MessageBoxRunner() = default;
    virtual int runMessageBox(QWidget* parent, const QString& title, const QString& text,
                              const QStringList& buttons, int defaultButton) = 0;
    // A line asked for under `text`, `proposed` standing in it; nothing when cancelled.
    virtual std::optional<QString> runTextQuestion(QWidget* parent, const QString& title,
                                                   const QString& text,
                                                   const QString& proposed) = 0;
};

// The toolkit's message box, without an icon.
class QtMessageBoxRunner : public MessageBoxRunner {
public:
    int runMessageBox(QWidget* parent, const QString& title, const QString& text,
                      const QStringList& buttons, int defaultButton) override;
    std::optional<QString> runTextQuestion(QWidget* parent, const QString& title,
                                           const QString& text, const QString& proposed) override;
};

class MessageBoxes {
public:
    explicit MessageBoxes(MessageBoxRunner& runner) : runner_(runner) {}

    void Tell(QWidget* parent, const QString& text, const QString& title);
    // True for `yes`; Esc answers `no`.
    bool Ask(QWidget* parent, const QString& text, const QString& title, const QString& yes,
             const QString& no, bool yesIsDefault);
    // The index of the button chosen, Esc choosing the last; -1 for none.
    int Choose(QWidget* parent, const QString& text, const QString& title,
               const QStringList& buttons, int defaultButton);
    std::optional<QString> AskText(QWidget* parent, const QString& text, const QString& title,
                                   const QString& proposed);

private:
    MessageBoxRunner& runner_;
};
