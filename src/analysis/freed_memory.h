#pragma once

namespace ampery::analysis {

// Keeps the memory an analysis frees for the next one, instead of the C
// library's default of handing it back to the system.
//
// An analysis runs at every pointer move of a drag and frees all it made
// when it ends: a few hundred kilobytes for a circuit of a few hundred
// parts. By default the C library returns freed memory at the top of the
// heap beyond 128 KB, and each next analysis takes it back as fresh pages,
// each zeroed by the system on first touch: that took a fifth of the time
// of a 200-part analysis. Called once, at the start of the program, before
// anything is allocated in earnest; a no-op where the C library has no such
// setting.
void keepFreedMemory();

} // namespace ampery::analysis
