#pragma once

#include "analysis/analysis_outcome.h"

namespace ampery::render {

class CanvasPair;
class MotorAnimator;
class PictureTable;

// Carries out an analysis's display steps in order: pictures and combines on
// the canvases, motor steps on the animator.
class OutcomePainter {
public:
    OutcomePainter(CanvasPair& canvases, const PictureTable& pictures, MotorAnimator& motors);

    void apply(const QList<analysis::DisplayStep>& steps);

private:
    CanvasPair& m_canvases;
    const PictureTable& m_pictures;
    MotorAnimator& m_motors;
};

} // namespace ampery::render
