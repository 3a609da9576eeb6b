#include "app/aboutdlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

// The box's layout in pixels: the icon at the left, the text beside it and
// the button centred below.
constexpr QSize kDialogSize(335, 90);
constexpr QRect kIconRect(16, 20, 32, 32);
constexpr QRect kTextRect(60, 16, 210, 20);
constexpr QRect kCloseRect(142, 55, 51, 23);

}  // namespace

QString AppVersion() { return QStringLiteral(QUILLON_VERSION); }

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Tessel"));
    setFixedSize(kDialogSize);

    auto* icon = new QLabel(this);
    icon->setGeometry(kIconRect);
    icon->setPixmap(QApplication::windowIcon().pixmap(kIconRect.size()));

    auto* text = new QLabel(tr("Quillon version %1").arg(AppVersion()), this);
    text->setGeometry(kTextRect);

    auto* close = new QPushButton(tr("Close"), this);
    close->setGeometry(kCloseRect);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
