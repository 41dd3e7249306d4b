#pragma once

#include "diagram/circuit_diagram.h"
#include "diagram/diagram_drawing.h"

#include <QWidget>

class QPainter;

namespace ampery::app {

// The circuit diagram on white, scaled to fit the widget and centred, its
// proportions kept. It only shows what it is given.
class DiagramView : public QWidget {
    Q_OBJECT
public:
    // Never drawn larger than this: a diagram of two symbols would fill the
    // window with giant ones.
    static constexpr qreal largestScale = 2.0;
    static constexpr int margin = 12;

    explicit DiagramView(QWidget* parent = nullptr);

    const diagram::CircuitDiagram& diagram() const { return m_diagram; }
    const diagram::DrawOptions& options() const { return m_options; }
    // Each repaints only when it changes something.
    void setDiagram(const diagram::CircuitDiagram& diagram);
    void setOptions(const diagram::DrawOptions& options);
    // How often the widget painted itself.
    int paintCount() const { return m_paintCount; }

    // Paints the diagram into the rectangle: scaled to fit it (at most by
    // the largest scale, when one is given), centred, proportions kept.
    static void paintFitted(QPainter& painter, const diagram::CircuitDiagram& diagram,
                            const diagram::DrawOptions& options, const QRectF& into,
                            qreal largest = 0);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    diagram::CircuitDiagram m_diagram;
    diagram::DrawOptions m_options;
    int m_paintCount = 0;
};

} // namespace ampery::app
