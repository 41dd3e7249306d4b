#include "experiment_area.h"

#include "area_interaction.h"
#include "experiment_controller.h"

#include <QMouseEvent>
#include <QPainter>

namespace ampery::area {

ExperimentArea::ExperimentArea(ExperimentController& controller, AreaInteraction& interaction,
                               QWidget* parent)
    : QWidget(parent), m_controller(controller), m_interaction(interaction) {
    setObjectName(QStringLiteral("画板1"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&controller, &ExperimentController::areaChanged, this, qOverload<>(&QWidget::update));
    connect(&interaction, &AreaInteraction::cursorChanged, this, &ExperimentArea::showCursor);
}

void ExperimentArea::showCursor(AreaCursor cursor) {
    switch (cursor) {
    case AreaCursor::Hand:
        setCursor(Qt::PointingHandCursor);
        break;
    case AreaCursor::SizeAll:
        setCursor(Qt::SizeAllCursor);
        break;
    case AreaCursor::Eraser: {
        const render::PictureTable& pictures = m_controller.pictures();
        setCursor(QCursor(QPixmap::fromImage(pictures.eraser()),
                          render::PictureTable::eraserHotSpot.x(),
                          render::PictureTable::eraserHotSpot.y()));
        break;
    }
    case AreaCursor::Cross:
        setCursor(Qt::CrossCursor);
        break;
    }
}

void ExperimentArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), m_controller.canvases().area());
}

void ExperimentArea::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_interaction.leftButtonDown(point);
    else if (event->button() == Qt::RightButton)
        m_interaction.rightButtonDown(point);
}

void ExperimentArea::mouseMoveEvent(QMouseEvent* event) {
    m_interaction.pointerMove(event->position().toPoint());
}

void ExperimentArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_interaction.leftButtonUp(event->position().toPoint());
}

void ExperimentArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_interaction.doubleClick(event->position().toPoint());
}

} // namespace ampery::area
