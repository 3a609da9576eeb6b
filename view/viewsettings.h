#pragma once

#include <QString>

#include "document/timecontrol.h"

// How the board is shown, chosen in the View menu and remembered between
// runs. The game settings are not among them: they start afresh each run.
struct ViewSettings {
    bool moveList = true;
    bool legalMoves = true;
    bool lastMove = true;
    bool flipBoard = false;
    bool coordinates = false;

    bool operator==(const ViewSettings&) const = default;
};

// Where everything remembered between runs is kept, as QSettings names it.
extern const QString kOrganisation;
extern const QString kApplication;

// The remembered choices, or the defaults for those never made.
ViewSettings LoadViewSettings();
void SaveViewSettings(const ViewSettings& settings);

// The time control last chosen in the Play menu, remembered like the view
// settings; No Limit when none was.
TimeControl LoadTimeControl();
void SaveTimeControl(const TimeControl& control);
