#include "editor/EnvelopeCanvas.h"

#include <cmath>

#include "IGraphics.h"
#include "VrelsPlugin.h"

namespace {

const IColour FILL(255, 69, 103, 54);
// Taken from a column's table position before rounding it to the nearest
// entry: that finds the entry at or below the position for every position
// a column can have.
const double ENTRY_ROUNDING_OFFSET = 0.499999985;

}  // namespace

EnvelopeCanvas::EnvelopeCanvas(VrelsPlugin* plug, const IRect& rect)
    : IControl(plug, IRect(rect.mL, rect.mT, rect.mR + 1, rect.mB)), mpVrels(plug), mViewRect(rect) {
  SetTargetRect(rect);
}

bool EnvelopeCanvas::Draw(IGraphics* graphics) {
  {
    vrels::ScopedLock lock(mpVrels->Mutex());
    mTable = mpVrels->GetEnvelope();
  }
  const IRect& r = mViewRect;
  const int width = r.W(), height = r.H();
  const IBlend blend = GetBlend();
  for (int i = 0; i < width; ++i) {
    // The columns stretch the table's SIZE entries over the width. f stays
    // below SIZE, so k + 1 is at most SIZE, the closing entry.
    const double f = static_cast<double>(EnvelopeTable::SIZE) / width * i;
    const long k = std::lround(f - ENTRY_ROUNDING_OFFSET);
    const double frac = f - static_cast<double>(k);
    const double v = mTable.mTable[k] + (mTable.mTable[k + 1] - mTable.mTable[k]) * frac;
    graphics->FillRect(FILL, IRect(r.mL + i + 1, r.mB - static_cast<int>(v * height), r.mL + i + 2, r.mB),
                       &blend);
  }
  return true;
}
