// The review sheet (not shipped): the background with every control's first
// frame in its rectangle, and sample contents where the editor draws live
// (readout texts, the message line, counts, a few vrels in the field, the
// envelope), so the sheet shows the finished editor. Written at 1x and
// enlarged 2x (each pixel doubled, so nothing is smoothed away).
#pragma once

#include <cairo.h>

// `images[id]` holds the surface drawn for each image id 100..118.
cairo_surface_t* DrawReview(cairo_surface_t* const images[]);
cairo_surface_t* Enlarge2x(cairo_surface_t* source);

// Every small image, enlarged 4x: each knob strip at values 0, 1/4, 1/2,
// unity gain and 1, both frames of the buttons, lamps and switches, the nine
// meter frames, the icons.
cairo_surface_t* DrawWidgetSheet(cairo_surface_t* const images[]);
