#pragma once

#include <QImage>
#include <QStringList>
#include <QStringView>

namespace ampery::render {

class CanvasPair;

// The wire layer of the wires a drag leaves in place, drawn once when the
// drag starts so that each step draws only the wires that move. Wires are
// one opaque colour without antialiasing, so the wire layer is the union of
// their pixels in whatever order they are drawn: the cached layer plus the
// other wires is exactly the layer a full redraw draws.
class WireLayerCache {
public:
    // Draws every wire track of the text except one equal to each moving
    // track, on an image of the canvases' size. A text whose tracks nest
    // gets no cache.
    WireLayerCache(QStringView text, const QStringList& movingTracks, const CanvasPair& canvases);

    // Makes the canvases' wire layer that of the text's wires: the cached
    // layer plus the tracks it does not hold. Returns false, changing
    // nothing, when there is no cache, a cached track is no longer in the
    // text or the canvases changed size.
    bool drawWires(QStringView text, CanvasPair& canvases) const;

private:
    QStringList m_tracks; // in text order
    QImage m_layer;
};

} // namespace ampery::render
