#include "app/timecontroldialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kDefaultMinutes = 5;
// Besides the text: the arrows and the frame.
constexpr int kSpinBoxRoom = 48;

QSpinBox* SpinBox(int low, int high, int value, const QString& suffix, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

TimeControlDialog::TimeControlDialog(const TimeControl& shown, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Custom Time Control"));
    // A timed control is shown as it stands; No Limit proposes five minutes.
    const int minutes = shown.IsTimed() ? static_cast<int>(shown.periodSeconds / kSecondsPerMinute)
                                        : kDefaultMinutes;
    m_minutes = SpinBox(kMinPeriodMinutes, kMaxPeriodMinutes, minutes, tr(" min"), this);
    m_increment =
        SpinBox(0, kMaxIncrementSeconds, static_cast<int>(shown.incrementSeconds), tr(" s"), this);
    m_movesPerPeriod = SpinBox(0, kMaxMovesPerPeriod, shown.movesPerPeriod, tr(" moves"), this);
    // 0 moves: the minutes are for the whole game.
    m_movesPerPeriod->setSpecialValueText(tr("Whole game"));
    m_movesPerPeriod->setMinimumWidth(
        m_movesPerPeriod->fontMetrics().horizontalAdvance(m_movesPerPeriod->specialValueText()) +
        kSpinBoxRoom);

    auto* form = new QFormLayout;
    form->addRow(tr("&Minutes per side:"), m_minutes);
    form->addRow(tr("&Increment per move:"), m_increment);
    form->addRow(tr("Minutes &given again after:"), m_movesPerPeriod);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

TimeControl TimeControlDialog::Chosen() const {
    return {int64_t{m_minutes->value()} * kSecondsPerMinute, m_increment->value(),
            m_movesPerPeriod->value()};
}

std::optional<TimeControl> TimeControlDialog::Ask(const TimeControl& shown, QWidget* parent) {
    TimeControlDialog dialog(shown, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}
