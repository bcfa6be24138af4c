// What the audio engine shows in the editor: the four meter values, the
// texts of the stream and tap counts, and whether the flock moved since the
// swarm view last drew it.
//
// Owned by the plug-in. Written on the audio thread (and by the count
// handlers) under the instance mutex; VrelsPlugin::ShowChangesInEditor hands
// what changed to the editor's controls and clears the marks, under the same
// mutex. Only values and marks are stored here: nothing is drawn, allocated
// or locked.
#pragma once

struct EngineReadouts {
  // Grain left, grain right, delay left, delay right.
  static const int NUM_METERS = 4;
  static const int COUNT_TEXT_SIZE = 12;  // "%d" of any int

  double mMeterValues[NUM_METERS] = {};
  bool mMetersChanged = false;
  char mStreamCountText[COUNT_TEXT_SIZE] = {};
  char mTapCountText[COUNT_TEXT_SIZE] = {};
  bool mCountsChanged = false;
  bool mSwarmViewDirty = false;
};
