// Milliseconds and seconds: parameters give times in milliseconds, the
// engine counts samples at a rate per second.
#pragma once

constexpr double MS_PER_SECOND = 1000.0;
// Exactly the double nearest 0.001, as the literal would be.
constexpr double SECONDS_PER_MS = 1.0 / MS_PER_SECOND;
