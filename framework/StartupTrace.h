#pragma once
// Marks of the start-up's phases for the start-up benchmark. Written only when the environment
// variable SCOURWELL_STARTUP_TRACE names a file; otherwise a mark costs one cached check.
namespace scw {

// Appends one line: wall-clock seconds since 1970 (the clock the shell's `date` reads), a tab,
// the phase.
void StartupMark(const char* phase);

}  // namespace scw
