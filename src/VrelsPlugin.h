// The Vrels plug-in: a granular delay steered by a flocking simulation.
//
// Created by the entry point on the host's thread; afterwards the host's GUI
// thread (dispatcher, parameters) and audio thread (ProcessBlock) enter it,
// always under the instance mutex.
#pragma once

#include "IPlugVST.h"

class VrelsPlugin : public IPlugVST {
 public:
  static const int NUM_HOST_PARAMS = 175;
  static const int NUM_PRESETS = 6;

  explicit VrelsPlugin(audioMasterCallback host);
  ~VrelsPlugin() override;
};
