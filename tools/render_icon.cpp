// Draws an SVG icon as a square PNG of the given size, for the icon sizes a
// desktop looks for besides the scalable one.
// usage: render_icon IN.svg SIZE OUT.png

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "render_icon: %s\n", qPrintable(message));
    return 1;
}

// An icon that draws nothing leaves every pixel transparent.
bool anythingDrawn(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4)
        return fail(QStringLiteral("usage: render_icon IN.svg SIZE OUT.png"));
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[3]);
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
    if (!isNumber || size < 16 || size > 1024)
        return fail(QStringLiteral("the size must be a whole number of pixels from 16 to 1024"));

    QSvgRenderer renderer(input);
    if (!renderer.isValid())
        return fail(QStringLiteral("%1 is not an SVG picture that can be drawn").arg(input));
    if (renderer.defaultSize().width() != renderer.defaultSize().height())
        return fail(QStringLiteral("%1 is not square").arg(input));

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter);
    }
    if (!anythingDrawn(image))
        return fail(QStringLiteral("%1 draws nothing").arg(input));
    if (!image.save(output, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(output));
    return 0;
}
