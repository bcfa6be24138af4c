// The background image (729 x 650): the nine framed and titled sections,
// the captions beside the controls, column headers, row numbers, the wells
// under the texts the editor draws, and the flock field under the swarm
// view. Every mark is recorded in the placement for the overlap check.
#pragma once

#include <cairo.h>

#include "Placement.h"

cairo_surface_t* DrawBackground(Placement* place);
