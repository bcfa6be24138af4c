// What the editor must show, built independently of the plug-in's drawing:
// the committed artwork read from resources/, frames of image strips laid
// over the background as the default blend does, plain filled rectangles,
// and text drawn by the system with a text style of the layout.
//
// Thread use: any thread.
#pragma once

#include <cstdint>

#include "WindowImage.h"
#include "editor/EditorLayout.h"

namespace guitest {

// The artwork's blend arithmetic may round each channel either way.
const int kBlendTolerance = 2;

// The image of `id` as the file the resources folder holds; empty when it
// cannot be read.
Image Artwork(int id);

// The background artwork under `rect`.
Image BackgroundUnder(const LayoutRect& rect);

// Frame `frame` (1-based) of a vertical strip of `frames` frames, laid over
// `under` with the frame's own alpha (the default blend).
Image Composite(const Image& under, const Image& strip, int frames, int frame);

// A control's image frame over the background under it: what a bitmap,
// switch or knob control shows.
Image ControlFrame(const ControlDesc& control, int frame);

// Fills the rectangle (left, top, right, bottom exclusive) of `image`,
// whose top-left pixel lies at (originX, originY) in editor coordinates,
// with an opaque colour 0xRRGGBB; parts outside the image are left out.
void FillRect(Image* image, int originX, int originY, const LayoutRect& rect, uint32_t rgb);

// `text` drawn with a layout text style over `under`, the image of a text
// control's rectangle, by the system's own text drawing: the style's font
// at its pixel height, its colour and alignment, from the rectangle's top.
// Empty on failure.
Image TextOver(const Image& under, const TextStyleDesc& style, const char* text);

}  // namespace guitest
