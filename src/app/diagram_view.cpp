#include "diagram_view.h"

#include "command_texts.h"

#include <QPainter>

#include <algorithm>

namespace ampery::app {

DiagramView::DiagramView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("电路图画板"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 120);
}

void DiagramView::setDiagram(const diagram::CircuitDiagram& diagram) {
    if (diagram == m_diagram)
        return;
    m_diagram = diagram;
    update();
}

void DiagramView::setOptions(const diagram::DrawOptions& options) {
    if (options.showValues == m_options.showValues)
        return;
    m_options = options;
    update();
}

void DiagramView::paintFitted(QPainter& painter, const diagram::CircuitDiagram& diagram,
                              const diagram::DrawOptions& options, const QRectF& into,
                              qreal largest) {
    const QSizeF size(diagram.size);
    if (size.isEmpty() || into.isEmpty())
        return;
    qreal scale = std::min(into.width() / size.width(), into.height() / size.height());
    if (largest > 0)
        scale = std::min(scale, largest);
    const QSizeF scaled = size * scale;
    painter.save();
    painter.translate(into.center() - QPointF(scaled.width(), scaled.height()) / 2);
    painter.scale(scale, scale);
    diagram::paintDiagram(painter, diagram, options);
    painter.restore();
}

void DiagramView::paintEvent(QPaintEvent*) {
    ++m_paintCount;
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_diagram.symbols.isEmpty()) {
        painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
        painter.drawText(rect().adjusted(margin, margin, -margin, -margin),
                         Qt::AlignCenter | Qt::TextWordWrap, command_texts::noDiagram);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintFitted(painter, m_diagram, m_options,
                QRectF(rect()).adjusted(margin, margin, -margin, -margin), largestScale);
}

QSize DiagramView::sizeHint() const {
    return {520, 400};
}

} // namespace ampery::app
