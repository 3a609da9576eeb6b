#pragma once

#include <QList>
#include <QStringList>

#include "view/prompter.h"

// Answers every question as the test says and remembers what was asked.
class FakePrompter : public Prompter {
public:
    struct Message {
        QString caption;
        QString text;
        Icon icon;
    };

    void ShowMessage(QWidget*, const QString& caption, const QString& text, Icon icon) override {
        messages.append({caption, text, icon});
    }
    Answer AskYesNoCancel(QWidget*, const QString& caption, const QString& text) override {
        questions.append(caption + '|' + text);
        return answer;
    }
    QString AskOpenFileName(QWidget*, const QStringList&) override { return openFile; }
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QStringList&,
                            const QString&) override {
        return saveFile;
    }

    QList<Message> messages;
    QStringList questions;
    Answer answer = Answer::No;
    QString openFile;
    QString saveFile;
};
