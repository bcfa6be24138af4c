// Builds the editor on a graphics object from the layout table
// (EditorLayout.h): the background, then one control per row in the
// table's order, so that a control's index is its row. Images come from
// the process-wide bitmap cache; each control gets its own text style.
//
// Called once, from the plug-in's constructor, before the graphics object
// is handed over with AttachEditor (which then pushes every parameter's
// value into the controls).
#pragma once

#include "editor/EditorControls.h"

class IGraphics;
class VrelsPlugin;

struct EditorSettings {
  const char* mPresetFolder;         // where the save and load dialogs start
  int mMajorVersion, mMinorVersion;  // shown by the version text
};

// Attaches the background and every control of the layout table to
// graphics, and fills kept with the controls the plug-in updates. graphics
// is the plug-in's own (made for vrels): the controls reach the plug-in
// through it, and the two canvases also get vrels itself, to read the flock
// and the envelope and to write the swarm's bounds and gather tools.
void BuildEditor(IGraphics* graphics, VrelsPlugin* vrels, const EditorSettings& settings,
                 EditorControls* kept);
