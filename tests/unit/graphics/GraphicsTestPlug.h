// A small plug-in for the graphics tests, with a host callback that records
// the edit gestures and automation the host receives, in order.
#pragma once

#include <cstdio>
#include <vector>

#include "IPlugVST.h"

// Parameters of the test plug-in.
enum GraphicsTestParam {
  kTestReal = 0,  // 0..1, real
  kTestInt,       // 0..10, integer
  kTestEnum,      // 30 values with display texts "Item 0".."Item 29"
  kTestBool,      // display texts "off", "on"
  kNumTestParams
};

struct HostEvent {
  int mOpcode;  // audioMasterBeginEdit, audioMasterAutomate or audioMasterEndEdit
  int mIndex;
  float mValue;
  bool operator==(const HostEvent& o) const {
    return mOpcode == o.mOpcode && mIndex == o.mIndex && mValue == o.mValue;
  }
};

class GraphicsTestPlug : public IPlugVST {
 public:
  static constexpr int ENUM_COUNT = 30;

  GraphicsTestPlug()
      : IPlugVST(HostCallback, kNumTestParams, "2-2", 1, "Test", "", "Maker", 0x00010000, 1, 2, 0, false,
                 true, false) {
    GetParam(kTestReal)->InitAsReal("real", 0.5, 0.0, 1.0, 0.001);
    GetParam(kTestInt)->InitAsInt("int", 0, 0, 10);
    GetParam(kTestEnum)->InitAsEnum("enum", 0, ENUM_COUNT);
    for (int i = 0; i < ENUM_COUNT; ++i) {
      char text[16];
      std::snprintf(text, sizeof(text), "Item %d", i);
      GetParam(kTestEnum)->AddDisplayText(i, text);
    }
    GetParam(kTestBool)->InitAsBool("bool", false);  // with display texts "off", "on"
    sCurrent = this;
  }
  ~GraphicsTestPlug() override { sCurrent = nullptr; }

  std::vector<HostEvent> mEvents;

 private:
  static intptr_t VSTCALLBACK HostCallback(AEffect*, int32_t opcode, int32_t index, intptr_t, void*,
                                           float opt) {
    if (sCurrent &&
        (opcode == audioMasterBeginEdit || opcode == audioMasterAutomate || opcode == audioMasterEndEdit)) {
      sCurrent->mEvents.push_back({opcode, index, opcode == audioMasterAutomate ? opt : 0.0f});
    }
    return opcode == audioMasterVersion ? 2400 : 0;
  }
  static GraphicsTestPlug* sCurrent;
};

inline GraphicsTestPlug* GraphicsTestPlug::sCurrent = nullptr;
