#pragma once

namespace ampery::analysis {

class WorkingNetwork;

// What the working lists lose before the reduction starts.

// Takes out every component whose two terminals lie in one node: a wire
// across it carries its current instead. False when the first such
// component is a source: the source is shorted, and nothing else is taken.
bool removeShortedComponents(WorkingNetwork& work);

// Takes out open switches and voltmeters, which carry no current.
void removeOpenSwitchesAndVoltmeters(WorkingNetwork& work);

} // namespace ampery::analysis
