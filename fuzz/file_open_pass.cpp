#include "file_open_pass.h"

#include "diagram/diagram_layout.h"
#include "diagram/diagram_source.h"

#include "model/experiment_file.h"
#include "model/gbk.h"
#include "render/opened_experiment.h"

#include <optional>

namespace ampery::fuzz {

FileOpenPass::FileOpenPass() : m_motors(m_canvases, m_pictures) {}

QString FileOpenPass::run(const QByteArray& bytes) {
    const model::FileText decoded = model::decodeExperimentBytes(bytes);
    if (!decoded.ok)
        return {};
    if (model::encodeGbk(decoded.text) != bytes)
        return QStringLiteral("the decoded text does not encode back to the file's bytes");

    if (const std::optional<analysis::AnalysisOutcome> outcome = render::openExperimentText(
            m_experiment, decoded.text, m_canvases, m_pictures, m_motors)) {
        // The circuit diagram the window would show beside it.
        const diagram::CircuitDiagram drawn =
            diagram::layOut(diagram::diagramSource(m_experiment, *outcome));
        const QRect whole(QPoint(0, 0), drawn.size);
        for (const diagram::Symbol& symbol : drawn.symbols)
            if (!whole.contains(symbol.box))
                return QStringLiteral("a diagram symbol lies outside the diagram");
        // The first frame each started timer would draw.
        for (int slot = 0; slot < model::motorSlotCount; ++slot)
            if (m_motors.isRunning(slot))
                m_motors.tick(slot);
        if (m_experiment.text() != decoded.text)
            return QStringLiteral("opening changed the experiment text");
    }

    const std::optional<QByteArray> saved = model::encodeGbk(m_experiment.text());
    if (!saved)
        return QStringLiteral("the opened experiment cannot be saved");
    const model::FileText reopened = model::decodeExperimentBytes(*saved);
    if (!reopened.ok || reopened.text != m_experiment.text())
        return QStringLiteral("the saved experiment does not read back as the same text");
    return {};
}

} // namespace ampery::fuzz
