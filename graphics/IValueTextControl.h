// A parameter's value shown as its display text (and label); dragging or
// the wheel changes it, wrapping from one end of the range to the other.
// The shown text is made on the GUI thread when drawing, from the
// parameter's value copied under the instance mutex.
#pragma once

#include "IKnobControl.h"
#include "ITextControl.h"

// A full turn of a value readout is 25 row heights of travel.
const double DEFAULT_VALUE_TEXT_GEARING = 25.0;

class IValueTextControl : public ITextControl {
 public:
  // ownParam, if given, is formatted instead of the plug-in's parameter
  // paramIdx (not owned).
  IValueTextControl(IPlugBase* plug, const IRect& rect, int paramIdx, const ITextStyle& style,
                    bool showValue = true, bool showLabel = true, int direction = kVertical,
                    double gearing = DEFAULT_VALUE_TEXT_GEARING, IParameter* ownParam = nullptr);

  void OnMouseDrag(int x, int y, int dX, int dY, const IMouseMods& mods) override;
  void OnMouseWheel(int x, int y, const IMouseMods& mods, int d) override;
  bool Draw(IGraphics* graphics) override;

  // The text Draw shows (the display text and, if shown, a blank and the
  // label) into out (size bytes). GUI thread.
  void FormatValueText(char* out, int size) const;

 private:
  // Above 1 becomes 0, below 0 becomes 1.
  void Wrap();

  std::int32_t mDirection;
  double mGearing;
  bool mShowValue;
  bool mShowLabel;
  IParameter* mpOwnParam;
};
