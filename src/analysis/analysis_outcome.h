#pragma once

#include "decimal_text.h"

#include <QList>
#include <QString>

namespace ampery::analysis {

// One result record of the solution: a component's two terminal potentials
// and its current, as the decimal texts the analysis wrote.
struct ResultRecord {
    QString name;
    DecimalText potentialA; // the "∧" terminal
    DecimalText potentialB; // the "∨" terminal
    DecimalText current;

    bool operator==(const ResultRecord&) const = default;
};

// One thing the caller does to the screen or the motor slots, in order.
struct DisplayStep {
    enum class Kind {
        ShowPicture,   // clear the 77 × 68 box at (x, y), draw picture there
        Combine,       // AND the wire layer onto the area
        StopAllMotors, // interval 0 for all ten motor slots
        SetMotorSlot,  // slot's box position, direction and interval
    };
    // SetMotorSlot's direction when the slot keeps the direction it has.
    static constexpr int keepDirection = -1;

    Kind kind = Kind::Combine;
    int picture = 0;
    int componentNumber = 0; // ShowPicture and SetMotorSlot: the component shown
    int x = 0;
    int y = 0;
    int slot = 0;      // 0-based motor slot
    int direction = 0; // 1 when the current runs from "∧" to "∨", 0, or keepDirection
    int interval = 0;  // milliseconds, 0 stops the slot's timer

    bool operator==(const DisplayStep&) const = default;
};

// What a meter shows, in the diagram's short form: "0.3A", "2.5V",
// "≈0.2667A" for a long number, or a word when it shows no true value.
struct MeterReading {
    QString name;
    QString text;

    bool operator==(const MeterReading&) const = default;
};

struct AnalysisOutcome {
    QString status;      // the final text of the status box
    bool solved = false; // the circuit was reduced and solved
    bool gaveUp = false; // the give-up message box is due (before the status)
    QList<ResultRecord> results;
    QList<DisplayStep> steps;
    QList<MeterReading> readings; // in the order the status line gives them
};

} // namespace ampery::analysis
