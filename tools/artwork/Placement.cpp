#include "Placement.h"

namespace {

LayoutRect Grow(const LayoutRect& r, int by) {
  return {r.mL - by, r.mT - by, r.mR + by, r.mB + by};
}

std::string Box(const LayoutRect& r) {
  return std::to_string(r.mL) + "," + std::to_string(r.mT) + "," + std::to_string(r.mR) + "," +
         std::to_string(r.mB);
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case kCtlBitmap:
      return "image";
    case kCtlSwarmCanvas:
      return "swarm view";
    case kCtlKnob:
      return "knob";
    case kCtlReadout:
      return "readout";
    case kCtlSwitch:
      return "switch";
    case kCtlText:
      return "text";
    case kCtlFileSelector:
      return "file button";
    case kCtlEnvelopeCanvas:
      return "envelope view";
  }
  return "control";
}

std::string Describe(const Element& e) {
  return e.mWhat + " at " + Box(e.mBox);
}

}  // namespace

std::string DescribeControl(int index) {
  const ControlDesc& c = kControls[index];
  std::string text = std::string(KindName(c.mKind)) + " " + std::to_string(index);
  if (c.mParamIdx >= 0) text += " (parameter " + std::to_string(c.mParamIdx) + ")";
  return text + " at " + Box(c.mRect);
}

std::vector<std::string> Placement::Check() const {
  std::vector<std::string> faults;
  const LayoutRect editor = {0, 0, EDITOR_WIDTH, EDITOR_HEIGHT};
  for (const Element& e : mElements) {
    if (!editor.Contains(e.mBox)) faults.push_back(Describe(e) + " leaves the editor");
    if (e.mOwner >= 0) {
      const LayoutRect& own = kControls[e.mOwner].mRect;
      if (!Grow(own, OWNED_MARGIN).Contains(e.mBox)) {
        faults.push_back(Describe(e) + " reaches more than " + std::to_string(OWNED_MARGIN) +
                         " pixels beyond " + DescribeControl(e.mOwner));
      }
    }
    for (int i = 1; i < NUM_CONTROLS; ++i) {
      const LayoutRect& r = kControls[i].mRect;
      if (e.mOwner >= 0) {
        const LayoutRect& own = kControls[e.mOwner].mRect;
        if (i == e.mOwner || own.Contains(r) || r.Contains(own)) continue;
        if (e.mKind != kElemGround && e.mBox.Intersects(r)) {
          faults.push_back(Describe(e) + " overlaps " + DescribeControl(i));
        }
        continue;
      }
      int clearance = e.mKind == kElemText ? CLEARANCE : 1;
      if (Grow(e.mBox, clearance).Intersects(r)) {
        faults.push_back(Describe(e) + " is closer than " + std::to_string(clearance) + " pixels to " +
                         DescribeControl(i));
      }
    }
    if (e.mKind == kElemText) {
      bool inPanel = false;
      for (const Element& p : mPanels) inPanel = inPanel || Grow(p.mBox, -PANEL_BORDER).Contains(e.mBox);
      if (!inPanel) faults.push_back(Describe(e) + " lies in no section panel");
    }
  }
  // Solid marks keep a pixel from each other, unless one is drawn for a
  // control that holds the other's owner (a well inside the swarm view).
  for (size_t a = 0; a < mElements.size(); ++a) {
    const Element& ea = mElements[a];
    if (ea.mKind == kElemGround) continue;
    for (size_t b = a + 1; b < mElements.size(); ++b) {
      const Element& eb = mElements[b];
      if (eb.mKind == kElemGround) continue;
      if (Grow(ea.mBox, 1).Intersects(eb.mBox)) {
        faults.push_back(Describe(ea) + " touches " + Describe(eb));
      }
    }
  }
  for (size_t a = 0; a < mPanels.size(); ++a) {
    const Element& p = mPanels[a];
    for (size_t b = a + 1; b < mPanels.size(); ++b) {
      if (p.mBox.Intersects(mPanels[b].mBox))
        faults.push_back(Describe(p) + " overlaps " + Describe(mPanels[b]));
    }
    for (int i = 1; i < NUM_CONTROLS; ++i) {
      const LayoutRect& r = kControls[i].mRect;
      if (i == p.mOwner || !r.Intersects(p.mBox)) continue;
      if (!Grow(p.mBox, -PANEL_BORDER).Contains(r)) {
        faults.push_back(Describe(p) + ": its edge cuts " + DescribeControl(i));
      }
    }
  }
  return faults;
}
