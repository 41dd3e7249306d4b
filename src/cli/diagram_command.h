#pragma once

#include <QStringList>

namespace ampery::cli {

// ampery-cli diagram FILE.aie OUT.svg|png [--values]: opens the file as the
// window would, lays out the circuit diagram of what is wired and writes it
// as SVG or PNG by the output's extension, each component's value under its
// name with --values. Returns the exit status.
int runDiagramCommand(const QStringList& arguments);

} // namespace ampery::cli
