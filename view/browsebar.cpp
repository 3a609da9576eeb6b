#include "view/browsebar.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

BrowseBar::BrowseBar(QWidget* parent)
    : QWidget(parent),
      m_first(AddButton(QStyle::SP_MediaSkipBackward, tr("First position (Home)"),
                        &BrowseBar::FirstChosen)),
      m_back(AddButton(QStyle::SP_MediaSeekBackward, tr("One move back (Left)"),
                       &BrowseBar::BackChosen)),
      m_forward(AddButton(QStyle::SP_MediaSeekForward, tr("One move forward (Right)"),
                          &BrowseBar::ForwardChosen)),
      m_last(AddButton(QStyle::SP_MediaSkipForward, tr("Back to the game (End)"),
                       &BrowseBar::LastChosen)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {m_first, m_back, m_forward, m_last}) layout->addWidget(button);
    SetShownPly(0, 0);
}

QToolButton* BrowseBar::AddButton(QStyle::StandardPixmap icon, const QString& tip,
                                  void (BrowseBar::*chosen)()) {
    auto* button = new QToolButton(this);
    button->setIcon(style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    // The keys stay with the board or the move list.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, chosen);
    return button;
}

void BrowseBar::SetShownPly(int ply, int plies) {
    m_first->setEnabled(ply > 0);
    m_back->setEnabled(ply > 0);
    m_forward->setEnabled(ply < plies);
    m_last->setEnabled(ply < plies);
}
