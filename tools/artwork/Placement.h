// Everything the background draws around the controls, recorded with its
// pixel box, and the check that keeps the control rectangles clear:
//
// - a text or decoration of the background (a caption, a title, a column
//   header, a row number, a divider) keeps CLEARANCE pixels away from every
//   control rectangle;
// - a decoration drawn for one control (a readout's well, the field under the
//   swarm view, the pad under the gather icon) is registered with that owner:
//   it stays within the owner's rectangle grown by OWNED_MARGIN and touches no
//   other control, except controls that hold the owner or that it holds (the
//   swarm view holds the gather and scatter images and the version text);
// - a section panel's edges cut no control: each control lies inside the
//   panel's inner area or entirely outside the panel;
// - texts and decorations keep one pixel from each other, and every text lies
//   inside a panel.
// Check() names each failure with the element and the control.
#pragma once

#include <string>
#include <vector>

#include "editor/EditorLayout.h"

const int CLEARANCE = 2;
const int OWNED_MARGIN = 4;
const int PANEL_BORDER = 2;  // highlight or shadow line plus one pixel of air

enum ElementKind {
  kElemText,        // words printed on the background
  kElemDecoration,  // lines, wells, pads: solid marks
  kElemGround,      // a surface other marks stand on (the field, the view's frame)
};

struct Element {
  std::string mWhat;
  LayoutRect mBox;
  ElementKind mKind;
  int mOwner;  // control index, or -1
};

class Placement {
 public:
  void Add(const std::string& what, LayoutRect box, ElementKind kind, int owner = -1) {
    mElements.push_back({what, box, kind, owner});
  }
  void AddPanel(const std::string& what, LayoutRect box, int owner = -1) {
    mPanels.push_back({what, box, kElemGround, owner});
  }
  const std::vector<Element>& Panels() const { return mPanels; }

  // One line per fault; empty when everything is clear.
  std::vector<std::string> Check() const;

 private:
  std::vector<Element> mElements;
  std::vector<Element> mPanels;
};

// "knob 6 (parameter 3) at 64,40,88,64", for messages.
std::string DescribeControl(int index);
