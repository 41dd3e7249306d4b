#pragma once

#include "analysis_outcome.h"

#include "name_index.h"

#include <QString>

namespace ampery::model {
struct Component;
}

namespace ampery::analysis {

// Writes what the analysis shows into the outcome: the status text and the
// display steps in order, and remembers which components it has shown.
class Display {
public:
    explicit Display(AnalysisOutcome& outcome) : m_outcome(outcome) {}

    // Room for a step and a shown name per component, and the closing steps.
    void reserveFor(std::size_t components) {
        m_done.reserve(components);
        m_outcome.steps.reserve(static_cast<qsizetype>(components) + 2);
    }
    void setStatus(const QString& text) { m_outcome.status = text; }
    void appendStatus(const QString& text) { m_outcome.status += text; }
    void noteReading(const QString& name, const QString& text) {
        m_outcome.readings.append({name, text});
    }

    // Show state picture: clear the component's box and draw the picture.
    void showPicture(const model::Component& component, int picture);
    void combine();
    void stopAllMotors();
    void setMotorSlot(int slot, const model::Component& motor, int direction, int interval);

    // The components already shown, by name: a view, so the name's text must
    // outlive the display (the component lists of the analysis do).
    void markDone(const QString& name) { m_done.insert(name, 0); }
    bool isDone(const QString& name) const { return m_done.find(name) >= 0; }

private:
    AnalysisOutcome& m_outcome;
    NameIndex m_done;
};

} // namespace ampery::analysis
