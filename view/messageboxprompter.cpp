#include "view/messageboxprompter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

// The program's texts break lines with a line feed and a carriage return; a
// label would show the carriage return as a stray glyph.
QString DisplayText(QString text) {
    return text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

QMessageBox::Icon BoxIcon(Prompter::Icon icon) {
    switch (icon) {
        case Prompter::Icon::Information:
            return QMessageBox::Information;
        case Prompter::Icon::Warning:
            return QMessageBox::Warning;
        case Prompter::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The extension a filter such as "PGN Files (*.pgn)" stands for; empty for
// one of several or of any extension, such as "All Files (*.*)".
QString FilterSuffix(const QString& filter) {
    static const QRegularExpression onlyPattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
    return onlyPattern.match(filter).captured(1);
}

QString ChosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

void MessageBoxPrompter::ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                                     Icon icon) {
    QMessageBox box(BoxIcon(icon), caption, DisplayText(text), QMessageBox::Ok, parent);
    box.exec();
}

Prompter::Answer MessageBoxPrompter::AskYesNoCancel(QWidget* parent, const QString& caption,
                                                    const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, DisplayText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

QString MessageBoxPrompter::AskOpenFileName(QWidget* parent, const QStringList& filters) {
    QFileDialog dialog(parent, QObject::tr("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    return ChosenFile(dialog);
}

QString MessageBoxPrompter::AskSaveFileName(QWidget* parent, const QString& caption,
                                            const QString& proposed, const QStringList& filters,
                                            const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    // A name typed without an extension takes the chosen filter's, and the
    // extension decides the file's format.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, defaultSuffix](const QString& filter) {
                         const QString suffix = FilterSuffix(filter);
                         dialog.setDefaultSuffix(suffix.isEmpty() ? defaultSuffix : suffix);
                     });
    dialog.selectFile(proposed);
    return ChosenFile(dialog);
}
