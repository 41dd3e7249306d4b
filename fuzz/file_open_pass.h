#pragma once

#include "model/experiment.h"
#include "render/canvas_pair.h"
#include "render/motor_animator.h"
#include "render/picture_table.h"

#include <QByteArray>
#include <QString>

namespace ampery::fuzz {

// Opening an experiment file from its bytes as the main window does (decode,
// motor slots, full redraw, analysis, outcome, one motor frame), then saving
// it into memory and reading it back. Needs a QGuiApplication. One pass object
// serves many files, as one window does.
class FileOpenPass {
public:
    FileOpenPass();

    // An empty text when every check held, else what went wrong. Bytes that are
    // not GBK are refused before anything changes, as the window refuses them.
    QString run(const QByteArray& bytes);

    const model::Experiment& experiment() const { return m_experiment; }
    const render::CanvasPair& canvases() const { return m_canvases; }

private:
    model::Experiment m_experiment;
    render::PictureTable m_pictures;
    render::CanvasPair m_canvases;
    render::MotorAnimator m_motors;
};

} // namespace ampery::fuzz
