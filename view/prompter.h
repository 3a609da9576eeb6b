#pragma once

#include <QString>

class QWidget;

// Every question and message the program puts to the user goes through here,
// so that tests can answer them.
class Prompter {
public:
    enum class Icon { None, Information, Warning };
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;

    // A modal message with one OK button.
    virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                             Icon icon) = 0;
    // A modal question with Yes, No and Cancel and a warning icon.
    virtual Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The file the user chose, or empty when he cancelled. The open dialog
    // answers a typed name as it stands, whether or not the file exists, so
    // that the caller can add the extension.
    virtual QString AskOpenFileName(QWidget* parent, const QStringList& filters) = 0;
    virtual QString AskSaveFileName(QWidget* parent, const QString& caption,
                                    const QString& proposed, const QStringList& filters,
                                    const QString& defaultSuffix) = 0;
};
