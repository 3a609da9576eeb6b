#pragma once

#include <QDialog>
#include <optional>

#include "document/timecontrol.h"

class QSpinBox;

// Asks for a time control of the player's own: minutes per side, seconds
// added after each move and, optionally, the moves after which the minutes
// are given again.
class TimeControlDialog : public QDialog {
    Q_OBJECT
public:
    TimeControlDialog(const TimeControl& shown, QWidget* parent = nullptr);

    TimeControl Chosen() const;

    // The control chosen, empty when the user cancelled.
    static std::optional<TimeControl> Ask(const TimeControl& shown, QWidget* parent);

private:
    QSpinBox* m_minutes;
    QSpinBox* m_increment;
    QSpinBox* m_movesPerPeriod;
};
