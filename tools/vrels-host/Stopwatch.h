// Processing time as the tool measures it: the calling thread's CPU time on
// Linux, so that other processes on the machine do not count; the
// high-resolution wall clock on Windows, whose thread times advance only in
// scheduler ticks of about 16 ms.
#pragma once

namespace vrelshost {

// Seconds from an arbitrary origin.
double ProcessingClock();

// Seconds of wall time from an arbitrary origin, for progress display.
double WallClock();

}  // namespace vrelshost
