#pragma once

#include <QStringList>

namespace ampery::cli {

// ampery-cli render FILE.aie OUT.png [--size WxH] [--names]: opens the file,
// draws the experiment area as the window would after opening it (full
// redraw, with the components' names when asked, then the analysis's display
// steps) and writes it as PNG, BMP or JPEG by the output's
// extension. Returns the exit status.
int runRenderCommand(const QStringList& arguments);

} // namespace ampery::cli
