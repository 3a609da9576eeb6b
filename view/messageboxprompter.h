#pragma once

#include "view/prompter.h"

// Asks the user with the toolkit's message boxes and file dialogs.
class MessageBoxPrompter : public Prompter {
public:
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                     Icon icon) override;
    Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text) override;
    QString AskOpenFileName(QWidget* parent, const QStringList& filters) override;
    QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                            const QStringList& filters, const QString& defaultSuffix) override;
};
