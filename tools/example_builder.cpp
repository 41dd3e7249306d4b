#include "example_builder.h"

#include "area/area_geometry.h"
#include "model/component_type.h"
#include "model/wire_edits.h"

#include <QLineF>
#include <QStringList>

#include <cmath>
#include <stdexcept>

namespace ampery::tools {

namespace {

// The attach point of a post, found by trying clicks around the picture box:
// every click inside a post's box reports the same attach point.
QPoint attachPoint(int type, QPoint topLeft, bool positive) {
    for (int dy = -20; dy <= 90; ++dy)
        for (int dx = -20; dx <= 100; ++dx) {
            const auto hit = area::hitTerminal(type, topLeft, topLeft + QPoint(dx, dy));
            if (hit && hit->positive == positive)
                return hit->attach;
        }
    throw std::logic_error("a component type without posts");
}

QString pointText(QPoint point) {
    return QStringLiteral("%1|%2").arg(point.x()).arg(point.y());
}

// A hand never moves quite straight: the pointer is sampled every few pixels
// and wanders by a pixel or two around the intended line.
QList<QPoint> handDrawn(const QList<QPoint>& corners, int seed) {
    constexpr double step = 6.0;
    QList<QPoint> points;
    double travelled = 0;
    for (qsizetype i = 1; i < corners.size(); ++i) {
        const QLineF line(corners[i - 1], corners[i]);
        const int samples = std::max(1, static_cast<int>(line.length() / step));
        const QPointF across = QPointF(-line.dy(), line.dx()) / std::max(1.0, line.length());
        for (int s = 0; s < samples; ++s) {
            const double wobble = 1.5 * std::sin((travelled + s * step) / 17.0 + seed);
            points.append((line.pointAt(double(s) / samples) + across * wobble).toPoint());
        }
        travelled += line.length();
    }
    points.append(corners.last());
    return points;
}

} // namespace

Placed ExampleBuilder::place(int type, QPoint topLeft) {
    Placed placed;
    placed.name = m_experiment.nameNewComponent(type);
    placed.number = m_experiment.addComponent(topLeft.x(), topLeft.y(), placed.name, type);
    placed.positive = {model::terminalName(placed.name, true), attachPoint(type, topLeft, true)};
    placed.negative = {model::terminalName(placed.name, false), attachPoint(type, topLeft, false)};
    return placed;
}

void ExampleBuilder::set(const Placed& component, model::Field field, const QString& value) {
    if (m_experiment.setFields(component.number, field, value) !=
        model::Experiment::WriteResult::Written)
        throw std::logic_error("a field could not be written");
}

void ExampleBuilder::wire(const Post& from, const QList<QPoint>& via, const Post& to) {
    // The clicks land a little off the attach points, inside the posts' boxes.
    const QPoint startClick = from.attach + QPoint(3, 2);
    const QPoint endClick = to.attach + QPoint(-2, 3);
    QStringList track{pointText(from.attach)};
    for (const QPoint& point :
         handDrawn(QList<QPoint>{startClick} + via + QList<QPoint>{endClick}, ++m_wires))
        track.append(pointText(point));
    track.append(pointText(to.attach));
    if (!model::appendWire(m_experiment, from.terminal, to.terminal,
                           track.join(QStringLiteral("┇"))))
        throw std::logic_error("a wire was refused");
}

} // namespace ampery::tools
