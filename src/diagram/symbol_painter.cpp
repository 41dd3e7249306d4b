#include "symbol_painter.h"

#include "diagram_drawing.h"

#include "model/component_type.h"

#include <QFontMetricsF>
#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ampery::diagram {

namespace {

namespace colour {
const QColor ink(0, 0, 0);
const QColor greyed(160, 160, 160);
const QColor value(31, 78, 154);
const QColor dimGlow(255, 238, 153);
const QColor brightGlow(255, 204, 0);
const QColor rays(255, 140, 0);
const QColor burnt(211, 47, 47);
const QColor turning(21, 101, 192);
} // namespace colour

using enum model::ComponentType;

constexpr qreal bodyRadius = 12;       // lamp, motor and meter circles
constexpr qreal resistorLength = 36;   // along the spine
constexpr qreal resistorHalfWidth = 6; // across it
constexpr qreal sliderPositions = 4;   // a rheostat's slider stands at 0 to 4
// Labels stand this far from the body, one line below the other.
constexpr qreal labelGap = 5;
constexpr qreal lineHeight = 14;

// A label on one line: tabs, line breaks and other control characters in a
// name read as spaces.
QString oneLine(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return text;
}

qreal radians(qreal degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

SymbolPainter::SymbolPainter(DrawingSurface& surface, const Symbol& symbol,
                             const DrawOptions& options)
    : m_surface(surface), m_symbol(symbol), m_options(options) {
    const bool positiveFirst = symbol.vertical ? symbol.positive.y() <= symbol.negative.y()
                                               : symbol.positive.x() <= symbol.negative.x();
    m_first = positiveFirst ? symbol.positive : symbol.negative;
    const QPoint span = symbol.positive - symbol.negative;
    m_length = std::abs(symbol.vertical ? span.y() : span.x());
    m_centre = m_length / 2;
}

QFont SymbolPainter::labelFont() {
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Microsoft YaHei"), QStringLiteral("sans-serif")});
    font.setPixelSize(12);
    return font;
}

QPointF SymbolPainter::at(qreal u, qreal v) const {
    // Both frames turn the same way: a vertical symbol is a horizontal one
    // turned a quarter clockwise, its label side (up) turned to the right.
    if (m_symbol.vertical)
        return {m_first.x() + v, m_first.y() + u};
    return {m_first.x() + u, m_first.y() - v};
}

bool SymbolPainter::firstIsPositive() const {
    return m_first == QPointF(m_symbol.positive);
}

qreal SymbolPainter::positiveEnd() const {
    return firstIsPositive() ? 0 : m_length;
}

qreal SymbolPainter::negativeEnd() const {
    return firstIsPositive() ? m_length : 0;
}

DrawingSurface::Stroke SymbolPainter::ink(qreal width) const {
    Stroke stroke;
    stroke.colour = m_symbol.look == SymbolLook::Unwired ? colour::greyed : colour::ink;
    stroke.width = width;
    return stroke;
}

void SymbolPainter::draw() {
    switch (m_symbol.type) {
    case Source:
        source();
        break;
    case Switch:
        switchBlade();
        break;
    case Lamp:
        lamp();
        break;
    case Resistor:
        resistor();
        break;
    case Rheostat:
        rheostat();
        break;
    case Motor:
        motor();
        break;
    case Ammeter:
        meter(u'A');
        break;
    case Voltmeter:
        meter(u'V');
        break;
    default:
        unknownKind();
        break;
    }
    label();
}

void SymbolPainter::leads(qreal bodyStart, qreal bodyEnd) {
    // Flat ends, so nothing reaches past the posts on the cell's edge.
    m_surface.line(at(0, 0), at(bodyStart, 0), ink());
    m_surface.line(at(bodyEnd, 0), at(m_length, 0), ink());
}

void SymbolPainter::source() {
    // The long thin plate is the positive pole, the short thick one the
    // negative.
    const qreal gap = 5;
    const qreal longPlate = firstIsPositive() ? m_centre - gap : m_centre + gap;
    const qreal shortPlate = firstIsPositive() ? m_centre + gap : m_centre - gap;
    leads(m_centre - gap, m_centre + gap);
    m_surface.line(at(longPlate, -14), at(longPlate, 14), ink(2));
    m_surface.line(at(shortPlate, -7), at(shortPlate, 7), ink(5));
}

void SymbolPainter::switchBlade() {
    const qreal hinge = m_centre - 14;
    const qreal contact = m_centre + 14;
    const qreal blade = contact - hinge;
    leads(hinge, contact);
    // Open, the blade stands raised 30 degrees towards the label.
    const qreal angle = m_symbol.closed ? 0.0 : radians(30);
    m_surface.line(at(hinge, 0), at(hinge + blade * std::cos(angle), blade * std::sin(angle)),
                   ink());
    const Stroke none{QColor(), 0};
    m_surface.circle(at(hinge, 0), 2.5, none, ink().colour);
    m_surface.circle(at(contact, 0), 2.5, none, ink().colour);
}

void SymbolPainter::lamp() {
    const QPointF centre = at(m_centre, 0);
    const SymbolLook look = m_symbol.look;
    leads(m_centre - bodyRadius, m_centre + bodyRadius);
    QColor glow;
    if (look == SymbolLook::LampDim)
        glow = colour::dimGlow;
    else if (look == SymbolLook::LampBright)
        glow = colour::brightGlow;
    Stroke outline = ink();
    if (look == SymbolLook::LampBroken)
        outline.dash = 3;
    m_surface.circle(centre, bodyRadius, outline, glow);
    // A burnt-out lamp's cross is its broken filament: red, and reaching
    // past the dashed bulb.
    const bool broken = look == SymbolLook::LampBroken;
    const qreal d = (broken ? bodyRadius + 5 : bodyRadius) * std::numbers::sqrt2 / 2;
    const Stroke cross = broken ? Stroke{colour::burnt, 2.5, DrawingSurface::Cap::Round} : ink();
    m_surface.line(at(m_centre - d, -d), at(m_centre + d, d), cross);
    m_surface.line(at(m_centre - d, d), at(m_centre + d, -d), cross);

    if (look == SymbolLook::LampBright) {
        Stroke ray{colour::rays, 2, DrawingSurface::Cap::Round};
        // Six short rays; none along the spine, where the leads run.
        for (const qreal degrees : {45.0, 90.0, 135.0, 225.0, 270.0, 315.0}) {
            const qreal c = std::cos(radians(degrees));
            const qreal s = std::sin(radians(degrees));
            m_surface.line(at(m_centre + 16 * c, 16 * s), at(m_centre + 20 * c, 20 * s), ray);
        }
    }
}

void SymbolPainter::resistor() {
    const qreal start = m_centre - resistorLength / 2;
    const qreal end = m_centre + resistorLength / 2;
    leads(start, end);
    m_surface.rectangle(
        QRectF(at(start, resistorHalfWidth), at(end, -resistorHalfWidth)).normalized(), ink(),
        QColor());
}

void SymbolPainter::rheostat() {
    resistor();
    // The slider is joined to the negative post, so the resistance in use is
    // the part of the strip between the slider and the positive end: at 0
    // (least) the slider stands at the positive end, at 4 at the negative.
    const qreal inset = resistorLength / 2 - 3;
    const qreal towardsNegative = negativeEnd() > positiveEnd() ? 1.0 : -1.0;
    const qreal position =
        std::clamp(static_cast<qreal>(m_symbol.sliderPosition), 0.0, sliderPositions);
    const qreal slider = m_centre + towardsNegative * inset * (2 * position / sliderPositions - 1);
    const qreal tail = negativeEnd() + (m_centre - negativeEnd()) / 4;

    // From the side away from the label: the arrow's tip touches the strip.
    const qreal tip = -resistorHalfWidth - 1;
    const qreal head = tip - 6;
    const qreal shaft = -18;
    m_surface.polyline({at(slider, head), at(slider, shaft), at(tail, shaft), at(tail, 0)}, ink());
    const Stroke none{QColor(), 0};
    m_surface.polygon({at(slider, tip), at(slider - 3.5, head), at(slider + 3.5, head)}, none,
                      ink().colour);
}

void SymbolPainter::motor() {
    leads(m_centre - bodyRadius, m_centre + bodyRadius);
    m_surface.circle(at(m_centre, 0), bodyRadius, ink(), QColor());
    letter(u'M', at(m_centre, 0), ink().colour);
    if (m_symbol.look == SymbolLook::MotorRunning) {
        // Two arrows turning the same way round the motor.
        curvedArrow(17, 140, 40, colour::turning);
        curvedArrow(17, 320, 220, colour::turning);
    }
}

void SymbolPainter::meter(QChar name) {
    leads(m_centre - bodyRadius, m_centre + bodyRadius);
    m_surface.circle(at(m_centre, 0), bodyRadius, ink(), QColor());
    letter(name, at(m_centre, 0), ink().colour);
    polarityMarks();
}

void SymbolPainter::unknownKind() {
    // A component of no known kind: an empty dashed outline.
    const qreal start = m_centre - 12;
    const qreal end = m_centre + 12;
    leads(start, end);
    Stroke outline = ink();
    outline.dash = 3;
    m_surface.rectangle(QRectF(at(start, 8), at(end, -8)).normalized(), outline, QColor());
}

void SymbolPainter::letter(QChar name, QPointF centre, QColor colour) {
    // Drawn as strokes rather than with a font, so the letter looks the same
    // on every surface and every machine.
    const Stroke pen{colour, 1.6, DrawingSurface::Cap::Round, DrawingSurface::Join::Round};
    const qreal h = 5.5;
    const auto p = [&](qreal x, qreal y) { return centre + QPointF(x, y); };
    switch (name.unicode()) {
    case u'A':
        m_surface.polyline({p(-4.5, h), p(0, -h), p(4.5, h)}, pen);
        m_surface.line(p(-2.9, 1.5), p(2.9, 1.5), pen);
        break;
    case u'V':
        m_surface.polyline({p(-4.5, -h), p(0, h), p(4.5, -h)}, pen);
        break;
    case u'M':
        m_surface.polyline({p(-5, h), p(-5, -h), p(0, 2), p(5, -h), p(5, h)}, pen);
        break;
    default:
        break;
    }
}

void SymbolPainter::polarityMarks() {
    // Small upright "+" and "−" beside the leads, just outside the circle.
    const qreal offset = bodyRadius + 7;
    const qreal plus = positiveEnd() < m_centre ? m_centre - offset : m_centre + offset;
    const qreal minus = 2 * m_centre - plus;
    const Stroke pen = ink(1.4);
    const QPointF p = at(plus, 8);
    const QPointF m = at(minus, 8);
    m_surface.line(p - QPointF(3, 0), p + QPointF(3, 0), pen);
    m_surface.line(p - QPointF(0, 3), p + QPointF(0, 3), pen);
    m_surface.line(m - QPointF(3, 0), m + QPointF(3, 0), pen);
}

void SymbolPainter::curvedArrow(qreal radius, qreal fromDegrees, qreal toDegrees, QColor colour) {
    const Stroke pen{colour, 1.8, DrawingSurface::Cap::Flat, DrawingSurface::Join::Round};
    const auto point = [&](qreal degrees) {
        return at(m_centre + radius * std::cos(radians(degrees)),
                  radius * std::sin(radians(degrees)));
    };
    const int steps = 12;
    QList<QPointF> arc;
    // The arc stops short of its end, where the arrowhead's tip takes over.
    const qreal shortEnd = toDegrees + (fromDegrees < toDegrees ? -8.0 : 8.0);
    for (int k = 0; k <= steps; ++k)
        arc.append(point(fromDegrees + (shortEnd - fromDegrees) * k / steps));
    m_surface.polyline(arc, pen);

    const QPointF tip = point(toDegrees);
    const QLineF back(tip, arc.last());
    const QPointF unit = (back.p2() - back.p1()) / back.length();
    const QPointF across(-unit.y(), unit.x());
    const QPointF base = tip + unit * 6;
    const Stroke none{QColor(), 0};
    m_surface.polygon({tip, base + across * 3.5, base - across * 3.5}, none, colour);
}

qreal SymbolPainter::labelSideExtent() const {
    const SymbolLook look = m_symbol.look;
    switch (m_symbol.type) {
    case Source:
        return 15;
    case Switch:
        return m_symbol.closed ? 3.5 : 16;
    case Lamp:
        return look == SymbolLook::LampBright ? 21 : bodyRadius + 1;
    case Resistor:
    case Rheostat: // its slider is on the other side
        return resistorHalfWidth + 1;
    case Motor:
        return look == SymbolLook::MotorRunning ? 19 : bodyRadius + 1;
    case Ammeter:
    case Voltmeter:
        return bodyRadius + 1;
    default:
        return 9;
    }
}

void SymbolPainter::label() {
    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    const bool greyed = m_symbol.look == SymbolLook::Unwired;
    const QRectF box(m_symbol.box);
    QStringList lines{oneLine(m_symbol.name)};
    QList<QColor> colours{greyed ? colour::greyed : colour::ink};
    if (m_options.showValues && !m_symbol.value.isEmpty()) {
        lines.append(oneLine(m_symbol.value));
        colours.append(greyed ? colour::greyed : colour::value);
    }

    const QPointF centre = at(m_centre, 0);
    const qreal clear = labelSideExtent() + labelGap;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        qreal left = 0;
        qreal baseline = 0;
        qreal room = 0;
        if (m_symbol.vertical) {
            left = m_first.x() + clear;
            room = box.right() - left;
            // The lines side by side with the body's centre.
            const qreal first = lines.size() == 1 ? centre.y() + 5 : centre.y() - 2;
            baseline = first + static_cast<qreal>(k) * lineHeight;
        } else {
            room = box.width() - 2;
            // The last line just above the body, the others above it; the
            // ink of a line reaches about 11 pixels above its baseline.
            const qreal last = centre.y() - clear - 1;
            const qreal top = std::max(box.top(), m_first.y() - cell::aboveSpine);
            baseline =
                std::max(top + 12, last - static_cast<qreal>(lines.size() - 1 - k) * lineHeight);
        }
        const QString text = metrics.elidedText(lines[k], Qt::ElideRight, std::max(room, 0.0));
        if (text.isEmpty())
            continue;
        if (!m_symbol.vertical) {
            const qreal width = metrics.horizontalAdvance(text);
            left = std::clamp(centre.x() - width / 2, box.left() + 1,
                              std::max(box.left() + 1, box.right() - width));
        }
        m_surface.text(QPointF(left, baseline), text, font, colours[k]);
    }
}

} // namespace ampery::diagram
