#pragma once

#include <QImage>
#include <QLine>
#include <QList>
#include <QPainter>
#include <QPoint>
#include <QSize>
#include <QVarLengthArray>

namespace ampery::render {

// The experiment area (component pictures, shown) and the wire layer (wires
// and, when asked for, the components' names; white elsewhere), two white
// images of one size. Wires and names reach the area only through combine(),
// which ANDs the wire layer onto it, so they always lie over the pictures and
// clearing a picture's box never erases them. Geometry is in logical pixels; the images hold
// devicePixelRatio() device pixels per logical pixel.
//
// Every change to either image goes through this class, which notes where it
// happened: the AND changes nothing where neither image changed since the
// last combine, so combine() works only where one did.
class CanvasPair {
public:
    static constexpr QSize defaultSize{490, 400};
    static constexpr QRgb wireColour = qRgb(0, 0, 128);
    static constexpr int wireWidth = 2;
    static constexpr QRgb nameColour = qRgb(0, 0, 0);
    // A name's line under its picture box: it starts one pixel below the box
    // and may stand out on both sides of it.
    static constexpr int nameGap = 1;
    static constexpr int nameHeight = 15;
    static constexpr int nameOverhang = 20;

    explicit CanvasPair(QSize size = defaultSize, qreal devicePixelRatio = 1.0);

    QSize size() const { return m_size; }
    qreal devicePixelRatio() const { return m_devicePixelRatio; }
    // New white images when the size or ratio differs; otherwise nothing
    // changes, so a redraw per pointer move allocates nothing.
    void resize(QSize size, qreal devicePixelRatio);

    const QImage& area() const { return m_area; }
    const QImage& wireLayer() const { return m_wireLayer; }
    // A white image of the canvases' device size and ratio.
    QImage blankImage() const;
    // Replaces the wire layer by one drawn apart; false, changing nothing,
    // when its size or ratio is not the canvases'.
    bool setWireLayer(const QImage& layer);

    void clear();
    void clearArea();
    void clearWireLayer();
    void combine();
    // clearArea() then combine() in one copy: white ANDed with the wire layer
    // is the wire layer.
    void clearAreaAndCombine();

    // One drawing step each; AreaPainter and WirePainter batch many.
    void clearBox(QPoint topLeft);
    void drawPicture(const QImage& picture, QPoint topLeft);
    void drawLine(QPoint from, QPoint to);

    // Draws on the area while it lives.
    class AreaPainter {
    public:
        explicit AreaPainter(CanvasPair& canvases);
        void clearBox(QPoint topLeft);
        // White-transparent: only the picture's opaque pixels reach the area.
        void drawPicture(const QImage& picture, QPoint topLeft);

    private:
        CanvasPair& m_canvases;
        QPainter m_painter;
    };

    // Draws on the wire layer, or on an image made by blankImage(), with the
    // wire pen while it lives.
    class WirePainter {
    public:
        explicit WirePainter(CanvasPair& canvases);
        explicit WirePainter(QImage& layer);
        void drawLine(QPoint from, QPoint to);
        // A segment between each pair of consecutive points; one point draws nothing.
        void drawTrack(const QList<QPoint>& points);

    private:
        QPainter m_painter;
        QVarLengthArray<QLine, 512> m_segments;
    };

    // Writes components' names, centred under their picture boxes, on the wire
    // layer while it lives.
    class NamePainter {
    public:
        explicit NamePainter(CanvasPair& canvases);
        // The box's top-left corner; a name too long for its line is elided.
        void drawName(const QString& name, QPoint topLeft);
        // Where the name of the box at the point is written.
        static QRect nameRect(QPoint topLeft);

    private:
        CanvasPair& m_canvases;
        QPainter m_painter;
    };

private:
    void changed(const QRectF& rect);
    void changedEverywhere();
    qint64 areaPixels() const;

    QSize m_size;
    qreal m_devicePixelRatio;
    QImage m_area;
    QImage m_wireLayer;
    QList<QRect> m_uncombined;     // device pixels
    qint64 m_uncombinedPixels = 0; // their areas added up
};

} // namespace ampery::render
