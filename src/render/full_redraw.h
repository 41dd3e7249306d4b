#pragma once

namespace ampery::model {
class Experiment;
}

namespace ampery::render {

class CanvasPair;
class PictureTable;
class WireLayerCache;

struct RedrawOptions {
    bool names = false; // each component's name under its picture
};

// Repaints both canvases from the experiment text alone: every component in
// its stored state, in text order, then every wire, then the names when they
// are asked for, then combine. Brings the
// experiment's numbering up to date and returns whether any component was
// found; when none was, the caller starts a new experiment. With the wires a
// drag leaves in place cached, only the others are drawn; the picture is the
// same.
bool fullRedraw(model::Experiment& experiment, CanvasPair& canvases, const PictureTable& pictures,
                const WireLayerCache* stillWires = nullptr, const RedrawOptions& options = {});

} // namespace ampery::render
