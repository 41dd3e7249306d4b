#pragma once

namespace ampery::model {
class Experiment;
}

namespace ampery::render {

class CanvasPair;
class PictureTable;

// Repaints both canvases from the experiment text alone: every component in
// its stored state, in text order, then every wire, then combine. Brings the
// experiment's numbering up to date and returns whether any component was
// found; when none was, the caller starts a new experiment.
bool fullRedraw(model::Experiment& experiment, CanvasPair& canvases, const PictureTable& pictures);

} // namespace ampery::render
