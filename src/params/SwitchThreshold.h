// Switch parameters, and the modulated values that act as switches (grain
// feedback, direction and source channel), are on above this value.
#pragma once

constexpr double SWITCH_THRESHOLD = 0.5;
