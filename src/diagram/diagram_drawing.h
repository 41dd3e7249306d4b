#pragma once

#include "circuit_diagram.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

class QPainter;

namespace ampery::diagram {

struct DrawOptions {
    bool showValues = false; // each symbol's value under its name
};

// Draws the diagram in its own coordinates, antialiased; the caller sets any
// transform and gets its painter back as it gave it.
void paintDiagram(QPainter& painter, const CircuitDiagram& diagram, const DrawOptions& options);

// The diagram on white, scale times its size (at least one pixel); a null
// image for a scale that is not positive or a picture too large to allocate.
QImage diagramImage(const CircuitDiagram& diagram, const DrawOptions& options, qreal scale = 1.0);

// The diagram as an SVG document on white: each symbol one group whose id is
// the component's name (a later one of the same name gets "-2", "-3", ...),
// each net one group of class "net".
QByteArray diagramSvg(const CircuitDiagram& diagram, const DrawOptions& options);

enum class DiagramFormat { Svg, Png };
// The format an export path asks for by its extension; none for any other.
std::optional<DiagramFormat> diagramFormatFor(const QString& path);

// Writes the diagram in the format of the path's extension, PNG at twice its
// size, replacing the file only when the whole picture was written; writes
// nothing for any other extension.
enum class DiagramWrite { Written, UnknownFormat, Failed };
DiagramWrite writeDiagramFile(const CircuitDiagram& diagram, const DrawOptions& options,
                              const QString& path);

} // namespace ampery::diagram
