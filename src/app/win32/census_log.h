#pragma once
// A test switch for long runs: with KALVORO_CENSUS=<file> in the environment the bar appends one
// line "gdi user rss_kb handles" about its own process to that file at start and then once a
// minute (KALVORO_CENSUS_SECONDS=<n> changes the period). Without the variable it does nothing.
// Under Wine GetGuiResources answers 0, so another process cannot count our objects: we do it here.

namespace kalvoro::win {

// Called from the bar's one-second timer; cheap when the switch is off or no sample is due.
void TickCensusLog();

}  // namespace kalvoro::win
