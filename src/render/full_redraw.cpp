#include "full_redraw.h"

#include "canvas_pair.h"
#include "picture_table.h"

#include "model/component_record.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"
#include "model/picture_choice.h"
#include "model/record_scan.h"

namespace ampery::render {

namespace {

void drawComponents(QStringView text, CanvasPair& canvases, const PictureTable& pictures) {
    CanvasPair::AreaPainter painter(canvases);
    for (const model::RecordSpan& span : model::componentRecordSpans(text)) {
        const QStringView record = text.mid(span.start, span.length);
        const QPoint topLeft(model::textToInt(model::fieldText(record, model::Field::X)),
                             model::textToInt(model::fieldText(record, model::Field::Y)));
        const int type = model::textToInt(model::typeText(record));
        const int state = model::textToInt(model::fieldText(record, model::Field::State));
        // Their pictures replace one another in place, and an unknown state
        // must not leave the previous picture behind.
        if (type == model::Switch || type == model::Rheostat)
            painter.clearBox(topLeft);
        if (const std::optional<int> index = model::pictureForRecord(type, state))
            painter.drawPicture(pictures.picture(*index), topLeft);
    }
}

void drawWires(QStringView text, CanvasPair& canvases) {
    CanvasPair::WirePainter painter(canvases);
    for (const QStringView track : model::wireTrackTexts(text))
        painter.drawTrack(model::trackPoints(track));
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
