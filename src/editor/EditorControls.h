// The editor's controls that the plug-in updates itself (the graphics object
// owns them all): the two canvases, the message line, the count, preset-name
// and version texts, the preset file selectors, the section and panic
// switches and the four level meters. Filled by BuildEditor; all null while
// the platform has no editor.
#pragma once

class IBitmapControl;
class IControl;
class IFileSelectorControl;
class ISwitchControl;
class ITextControl;

struct EditorControls {
  static const int NUM_METERS = 4;  // grain left, grain right, delay left, delay right

  IControl* mpSwarmCanvas = nullptr;
  IControl* mpEnvelopeCanvas = nullptr;
  ITextControl* mpMessageLine = nullptr;
  ITextControl* mpStreamCount = nullptr;
  ITextControl* mpTapCount = nullptr;
  ITextControl* mpPresetName = nullptr;
  ITextControl* mpVersionText = nullptr;
  IFileSelectorControl* mpSaveSelector = nullptr;
  IFileSelectorControl* mpLoadSelector = nullptr;
  ISwitchControl* mpGrainButton = nullptr;
  ISwitchControl* mpGrainLed = nullptr;
  ISwitchControl* mpDelayButton = nullptr;
  ISwitchControl* mpDelayLed = nullptr;
  ISwitchControl* mpDryButton = nullptr;
  ISwitchControl* mpPanicButton = nullptr;
  IBitmapControl* mpMeters[NUM_METERS] = {};
};
