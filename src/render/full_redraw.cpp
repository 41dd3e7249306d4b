#include "full_redraw.h"

#include "canvas_pair.h"
#include "picture_table.h"

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

} // namespace

bool fullRedraw(model::Experiment& experiment, CanvasPair& canvases, const PictureTable& pictures) {
    canvases.clear();
    const QStringView text(experiment.text());
    drawComponents(text, canvases, pictures);
    drawWires(text, canvases);
    canvases.combine();
    return experiment.recount();
}

} // namespace ampery::render
