#pragma once

#include <QFileInfoList>
#include <QString>
#include <QStringList>

// Where the program finds the files that travel with it: the example
// experiments and the folders the help file may be written to. A program run
// from its build folder, or from a program folder copied whole, has the
// examples beside it; an installed program finds them in share/ampery/examples
// among the system's data folders.
namespace ampery::app::places {

// The folder that holds the example experiments; the program's own folder
// when no examples are found anywhere.
QString exampleFolder();

// The example experiments in a folder, in the order a Chinese reader sorts
// their names.
QFileInfoList examplesIn(const QString& folder);

// The folders the help file may be written to, in the order they are tried:
// the program's own folder only when the examples lie beside it (an installed
// program must not write beside itself), then a folder of this version under
// the user's application data, so a copy an older version wrote is not shown.
QStringList helpFolders();

} // namespace ampery::app::places
