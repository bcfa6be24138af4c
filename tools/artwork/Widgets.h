// The images other than the background: the three knob strips, buttons,
// lamps, tempo-sync squares, the meter, panic, the gather and scatter icons
// and the four unused images. Each is drawn at its size from the image
// table, frames stacked from value 0 at the top.
#pragma once

#include <cairo.h>

#include "editor/EditorLayout.h"

// A new ARGB surface of the image's full size; null for the background.
cairo_surface_t* DrawWidgetImage(const ImageDesc& image);
