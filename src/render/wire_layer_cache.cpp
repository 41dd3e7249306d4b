#include "wire_layer_cache.h"

#include "canvas_pair.h"

#include "model/record_scan.h"
#include "model/separators.h"

namespace ampery::render {

namespace {

// Whether a stray "¤" lies inside a track, or two follow each other with no
// "‖" after them: listing the tracks would then scan the same text again for
// each, and the nested tracks would share it.
bool tracksNest(QStringView text) {
    const QChar track(model::sep::track);
    for (qsizetype at = text.indexOf(track); at >= 0;) {
        const qsizetype next = text.indexOf(track, at + 1);
        if (next < 0)
            return false;
        const qsizetype end = text.indexOf(QChar(model::sep::recordEnd), at + 1);
        if (end < 0 || end > next)
            return true;
        at = next;
    }
    return false;
}

} // namespace

WireLayerCache::WireLayerCache(QStringView text, const QStringList& movingTracks,
                               const CanvasPair& canvases) {
    if (tracksNest(text))
        return;
    m_layer = canvases.blankImage();
    QStringList moving = movingTracks;
    CanvasPair::WirePainter painter(m_layer);
    for (const QStringView track : model::wireTrackTexts(text)) {
        if (const qsizetype at = moving.indexOf(track); at >= 0) {
            moving.removeAt(at);
            continue;
        }
        painter.drawTrack(model::trackPoints(track));
        m_tracks.append(track.toString());
    }
}

bool WireLayerCache::drawWires(QStringView text, CanvasPair& canvases) const {
    if (m_layer.isNull())
        return false;
    // The cached tracks must appear in the text in their order; whatever else
    // the text holds is drawn on top.
    QList<QStringView> others;
    qsizetype cached = 0;
    for (const QStringView track : model::wireTrackTexts(text)) {
        if (cached < m_tracks.size() && track == m_tracks[cached])
            ++cached;
        else
            others.append(track);
    }
    if (cached < m_tracks.size() || !canvases.setWireLayer(m_layer))
        return false;
    CanvasPair::WirePainter painter(canvases);
    for (const QStringView track : others)
        painter.drawTrack(model::trackPoints(track));
    return true;
}

} // namespace ampery::render
