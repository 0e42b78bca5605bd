// CLOCK: the millisecond tick counter the debug timings read, behind a gate that tests replace.
//
// Operations:
//   Ticks()               milliseconds of the installed source (the steady clock by default)
//   InstallClock(source)  installs a source (nullptr: the default); returns the old one
#ifndef TAVLO_GUI_BASE_CLOCK_H
#define TAVLO_GUI_BASE_CLOCK_H

#include <cstdint>

using TickSource = std::uint32_t (*)();

std::uint32_t Ticks();
TickSource InstallClock(TickSource source);

#endif
