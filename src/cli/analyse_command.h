#pragma once

#include <QStringList>

namespace ampery::cli {

// ampery-cli analyse FILE.aie: opens the file as the program does, analyses it
// and prints the outcome as one JSON object. Returns the exit status.
int runAnalyseCommand(const QStringList& arguments);

} // namespace ampery::cli
