// The raster operations the drawing layer calls. Each clips to the
// destination and, where a source is involved, to the source bitmap, and
// does nothing with a bitmap that has no storage. `weight` is the alpha
// weight (0..1) and `mode` a LICE_BLIT_MODE_* value with optional flags
// (LICE_Blend.h). Source and destination must be different bitmaps.
//
// Coordinates: blits address pixels by their top-left corner (pixel x
// covers x..x+1, its centre at x + 0.5). Shapes (lines, circles, arcs)
// take the centre of pixel (x, y) to be the point (x, y), so that a point
// at (x, y) lands on the pixel (int(x + 0.5), int(y + 0.5)).
#pragma once

#include "LICE_Blend.h"
#include "LICE_IBitmap.h"

// Scaled and rotated blits filter bilinearly with this flag, and take the
// nearest pixel without it.
enum { LICE_BLIT_FILTER_BILINEAR = 0x100 };

// Copies w x h pixels from (srcx, srcy) of src to (dstx, dsty) of dest.
void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int srcx, int srcy, int w, int h,
               float weight, int mode);

// Fills x..x+w-1 by y..y+h-1 with a colour. With LICE_BLIT_USE_ALPHA the
// weight is scaled by the colour's alpha / 255.
void LICE_FillRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel colour, float weight, int mode);

// One pixel; outside the bitmap nothing happens.
void LICE_PutPixel(LICE_IBitmap* dest, int x, int y, LICE_pixel colour, float weight, int mode);
// The pixel at (x, y); 0 outside the bitmap.
LICE_pixel LICE_GetPixel(LICE_IBitmap* src, int x, int y);

// A line from (x1, y1) to (x2, y2), both ends included. Antialiased, each
// pixel is covered by 1 - its distance from the line (nothing at a distance
// of 1 or more), within the segment's length; otherwise one pixel per step
// of the longer axis.
void LICE_Line(LICE_IBitmap* dest, float x1, float y1, float x2, float y2, LICE_pixel colour, float weight,
               int mode, bool antialias);

// A circle's outline. Antialiased, each pixel is covered by 1 - its distance
// from the circle; otherwise the pixels of the midpoint algorithm around the
// rounded centre and radius.
void LICE_Circle(LICE_IBitmap* dest, float cx, float cy, float radius, LICE_pixel colour, float weight,
                 int mode, bool antialias);

// The part of a circle's outline from angle a1 to a2 (radians, 0 pointing
// up, growing clockwise; swapped when a2 < a1; 2 pi or more: the whole
// circle), drawn as LICE_Circle draws.
void LICE_Arc(LICE_IBitmap* dest, float cx, float cy, float radius, float a1, float a2, LICE_pixel colour,
              float weight, int mode, bool antialias);

// Draws the source rectangle (srcx, srcy, srcw, srch) of src stretched onto
// the destination rectangle (dstx, dsty, dstw, dsth).
void LICE_ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                     float srcx, float srcy, float srcw, float srch, float weight, int mode);

// As LICE_ScaledBlit, with the image rotated by `angle` radians (clockwise
// on the screen) about the centre of the destination rectangle moved by
// (rotxcent, rotycent). Only pixels inside the destination rectangle are
// drawn, and only where they show the source rectangle.
void LICE_RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                      float srcx, float srcy, float srcw, float srch, float angle, float weight, int mode,
                      float rotxcent, float rotycent);

// Makes dest a copy of the whole of src, resizing it to src's size.
void LICE_Copy(LICE_IBitmap* dest, LICE_IBitmap* src);
