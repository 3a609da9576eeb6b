#pragma once

#include <QDialog>

// Help > About: the application icon, the program's name and version, and a
// Close button.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

// The program's version, as the About box and --version show it.
QString AppVersion();
