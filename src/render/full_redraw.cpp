#include "full_redraw.h"

#include "canvas_pair.h"
#include "picture_table.h"
#include "wire_layer_cache.h"

#include "model/component_record_reader.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/picture_choice.h"
#include "model/record_scan.h"

namespace ampery::render {

namespace {

void drawComponents(QStringView text, CanvasPair& canvases, const PictureTable& pictures) {
    CanvasPair::AreaPainter painter(canvases);
    model::ComponentRecordReader reader(text);
    while (reader.next()) {
        const model::Component& c = reader.component();
        const QPoint topLeft(c.x, c.y);
        // Their pictures replace one another in place, and an unknown state
        // must not leave the previous picture behind.
        if (c.type == model::Switch || c.type == model::Rheostat)
            painter.clearBox(topLeft);
        if (const std::optional<int> index = model::pictureForRecord(c.type, c.state))
            painter.drawPicture(pictures.picture(*index), topLeft);
    }
}

void drawWires(QStringView text, CanvasPair& canvases) {
    CanvasPair::WirePainter painter(canvases);
    for (const QList<QPoint>& line : model::wireLines(text))
        painter.drawTrack(line);
}

// Over the wires, so that a wire crossing a name never hides it.
void drawNames(QStringView text, CanvasPair& canvases) {
    CanvasPair::NamePainter painter(canvases);
    model::ComponentRecordReader reader(text);
    while (reader.next())
        painter.drawName(reader.component().name, {reader.component().x, reader.component().y});
}

} // namespace

bool fullRedraw(model::Experiment& experiment, CanvasPair& canvases, const PictureTable& pictures,
                const WireLayerCache* stillWires, const RedrawOptions& options) {
    const QStringView text(experiment.text());
    if (!stillWires || !stillWires->drawWires(text, canvases)) {
        canvases.clearWireLayer();
        drawWires(text, canvases);
    }
    // Drawn again at every redraw, the cached layer included: the cache holds
    // wires only, so names move with their components.
    if (options.names)
        drawNames(text, canvases);
    // The area cleared and combined is the wire layer itself. Drawing the
    // pictures on that and combining their boxes again gives what drawing
    // them on white and combining gives: a picture pixel either replaces the
    // one under it or leaves it, and ANDing the wire layer twice is ANDing it
    // once.
    canvases.clearAreaAndCombine();
    drawComponents(text, canvases, pictures);
    canvases.combine();
    return experiment.recount();
}

} // namespace ampery::render
