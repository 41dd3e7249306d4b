#pragma once

#include "tool_choice.h"

#include <QWidget>

namespace ampery::area {

class AreaInteraction;
class ExperimentController;

// 画板1: shows the area image and hands mouse events, in area pixels, to the
// interaction. It keeps no tool state of its own.
class ExperimentArea : public QWidget {
    Q_OBJECT
public:
    ExperimentArea(ExperimentController& controller, AreaInteraction& interaction,
                   QWidget* parent = nullptr);

    void showCursor(AreaCursor cursor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ExperimentController& m_controller;
    AreaInteraction& m_interaction;
};

} // namespace ampery::area
