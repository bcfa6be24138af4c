// The plug-in's parameter set as construction leaves it: the records, their
// keys, ranges and value labels, the change dispatch and the modulation slots.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "VrelsPlugin.h"
#include "params/ParameterTable.h"

namespace {

class ParameterTable : public ::testing::Test {
 protected:
  VrelsPlugin mPlug{nullptr};
  const IParameter& Param(int index) { return *mPlug.GetParam(index); }
};

TEST_F(ParameterTable, HoldsAllRecordsButAnnouncesOnlyTheHostVisibleOnes) {
  EXPECT_EQ(mPlug.NParams(), NUM_PARAMS);
  EXPECT_EQ(mPlug.NSerializedParams(), static_cast<int>(VrelsPlugin::NUM_HOST_PARAMS));
  EXPECT_EQ(mPlug.NParams() - mPlug.NSerializedParams(), NUM_APPENDED_PARAMS);

  int initialised = 0;
  for (int i = 0; i < NUM_PARAMS; ++i) {
    const IParameter& p = Param(i);
    bool registered = mPlug.ParamChangeDescAt(i) != nullptr;
    // Exactly the declared parameters are initialised and dispatched.
    EXPECT_EQ(p.Type() != ParamNone, registered) << i;
    if (registered) {
      ++initialised;
      EXPECT_EQ(mPlug.ParamChangeDescAt(i)->mParamIdx, i);
      EXPECT_NE(mPlug.ParamChangeDescAt(i)->mpHandler, nullptr) << i;
      EXPECT_STREQ(mPlug.ParamChangeDescAt(i)->mName, p.Name()) << i;
      continue;
    }
    EXPECT_STREQ(p.Name(), "") << i;
    EXPECT_EQ(p.Value(), 0.0) << i;
    EXPECT_EQ(p.Min(), 0.0) << i;
    EXPECT_EQ(p.Max(), 1.0) << i;
    EXPECT_EQ(p.Step(), 1.0) << i;
  }
  EXPECT_EQ(initialised, 129);
  for (int i : {104, 123, 143, 174, 181, 188}) EXPECT_EQ(Param(i).Type(), ParamNone) << i;
  EXPECT_EQ(mPlug.ParamChangeDescAt(-1), nullptr);
  EXPECT_EQ(mPlug.ParamChangeDescAt(NUM_PARAMS), nullptr);
}

TEST_F(ParameterTable, KeysAreShortUniqueAndMissingOnlyWhereExpected) {
  std::set<std::string> keys;
  int named = 0;
  for (int i = 0; i < NUM_PARAMS; ++i) {
    std::string key = Param(i).Name();
    EXPECT_LE(key.size(), 8u) << i;
    EXPECT_STREQ(Param(i).Label(), "") << i;
    EXPECT_EQ(Param(i).Shape(), 1.0) << i;
    if (key.empty()) continue;
    ++named;
    EXPECT_TRUE(keys.insert(key).second) << "duplicate key " << key;
  }
  // Unnamed among the initialised: the three grain spares and the preset buttons.
  EXPECT_EQ(named, 129 - 5);
  for (int i : {kGrainSpare, kGrainSpareM, kGrainSpareD, kSavePreset, kLoadPreset}) {
    EXPECT_NE(Param(i).Type(), ParamNone) << i;
    EXPECT_STREQ(Param(i).Name(), "") << i;
  }
}

TEST_F(ParameterTable, DefaultsLieInsideTheirRanges) {
  for (int i = 0; i < NUM_PARAMS; ++i) {
    EXPECT_GE(Param(i).Value(), Param(i).Min()) << i;
    EXPECT_LE(Param(i).Value(), Param(i).Max()) << i;
  }
}

TEST_F(ParameterTable, EveryValueOfAnEnumerationHasItsLabel) {
  int enums = 0;
  for (int i = 0; i < NUM_PARAMS; ++i) {
    const IParameter& p = Param(i);
    if (p.Type() != ParamEnum) continue;
    ++enums;
    EXPECT_EQ(p.Min(), 0.0) << i;
    EXPECT_EQ(p.DisplayTextCount(), static_cast<int>(p.Max()) + 1) << i;
    for (int v = 0; v <= static_cast<int>(p.Max()); ++v)
      EXPECT_STRNE(p.DisplayTextFor(v), "") << i << " " << v;
  }
  EXPECT_EQ(enums, 36);

  EXPECT_STREQ(Param(kLfo1Shap).DisplayTextFor(3), "Ramp Up");
  EXPECT_STREQ(Param(kLfo4Shap).DisplayTextFor(6), "SampHold");
  EXPECT_STREQ(Param(kMxTgt1).DisplayTextFor(17), "Grn Src ");
  EXPECT_STREQ(Param(kMxTgt4).DisplayTextFor(23), "Dly FdBk");
  EXPECT_STREQ(Param(kGEnvelop).DisplayTextFor(8), "Hann-Pois");
  EXPECT_STREQ(Param(kDTimeM).DisplayTextFor(13), "Vrel ## -");
  EXPECT_STREQ(Param(kGFdbkM).DisplayTextFor(19), "Lead R -");
  // The flock's parameters and the matrix take the first six sources only.
  EXPECT_EQ(Param(kVrCountM).DisplayTextCount(), 6);
  EXPECT_EQ(Param(kMxMod2).DisplayTextCount(), 6);
  EXPECT_STREQ(Param(kChSpeedM).DisplayTextFor(5), "Random");
}

TEST_F(ParameterTable, SwitchesStartOnAndShowOffAndOn) {
  int switches = 0;
  for (int i = 0; i < NUM_PARAMS; ++i) {
    const IParameter& p = Param(i);
    if (p.Type() != ParamBool) continue;
    ++switches;
    EXPECT_EQ(p.Value(), 1.0) << i;
    EXPECT_STREQ(p.DisplayTextFor(0), "off") << i;
    EXPECT_STREQ(p.DisplayTextFor(1), "on") << i;
  }
  EXPECT_EQ(switches, 11);
  for (int i : {kDelayOn, kGrainOn, kDryEnabl, kDTimeS, kGDelayS, kLfo3Mode})
    EXPECT_EQ(Param(i).Type(), ParamBool);
}

TEST_F(ParameterTable, SpotChecksOfDeclaredEntries) {
  const IParameter& count = Param(kVrCount);
  EXPECT_STREQ(count.Name(), "VrCount");
  EXPECT_EQ(count.Type(), ParamInt);
  EXPECT_EQ(count.Min(), 0.0);
  EXPECT_EQ(count.Max(), 200.0);
  EXPECT_EQ(count.Value(), 4.0);

  const IParameter& speed = Param(kVrSpeed);
  EXPECT_STREQ(speed.Name(), "VrSpeed");
  EXPECT_EQ(speed.Type(), ParamDouble);
  EXPECT_EQ(speed.Min(), 0.0);
  EXPECT_EQ(speed.Max(), 20.0);
  EXPECT_EQ(speed.Step(), 0.1);
  EXPECT_EQ(speed.Value(), 4.0);

  EXPECT_STREQ(Param(kTapCount).Name(), "TapCount");
  EXPECT_EQ(Param(kTapCount).Min(), 1.0);
  EXPECT_EQ(Param(kTapCount).Value(), 2.0);
  EXPECT_EQ(Param(kUpdTime).Min(), 0.1);
  EXPECT_EQ(Param(kUpdTime).Step(), 0.01);
  EXPECT_EQ(Param(kDSmooth).Max(), 0.999999);
  EXPECT_EQ(Param(kDSmooth).Step(), 0.005);
  EXPECT_EQ(Param(kDTime).Min(), 10.0);
  EXPECT_EQ(Param(kDTime).Max(), 500.0);
  EXPECT_EQ(Param(kDTime).Value(), 100.0);
  EXPECT_EQ(Param(kGPan).Step(), 1.0);
  EXPECT_EQ(Param(kGPan).Value(), 0.5);
  EXPECT_EQ(Param(kGrainSpare).Step(), 0.1);
  EXPECT_STREQ(Param(kLfo2Rate).Name(), "Lfo2Rate");
  EXPECT_EQ(Param(kLfo2Rate).Min(), 0.01);
  EXPECT_STREQ(Param(kMxDph3).Name(), "MxDph3");
  EXPECT_STREQ(Param(kDry2Dly).Name(), "Dry2Dly");
  EXPECT_EQ(Param(kDry2Dly).Min(), -120.0);
  EXPECT_EQ(Param(kDry2Dly).Max(), 24.0);
  EXPECT_STREQ(Param(kBoundB).Name(), "BoundB");
  EXPECT_EQ(Param(kBoundB).Value(), 1.0);

  // Buttons: real 0..1, step 1, starting at 0.
  for (int i : {kPanic, kSavePreset, kLoadPreset}) {
    EXPECT_EQ(Param(i).Type(), ParamDouble) << i;
    EXPECT_EQ(Param(i).Value(), 0.0) << i;
    EXPECT_EQ(Param(i).Max(), 1.0) << i;
    EXPECT_EQ(Param(i).Step(), 1.0) << i;
  }
  EXPECT_STREQ(Param(kPanic).Name(), "Panic");
}

TEST(ModSlots, EachSlotHasANumericBaseFollowedByItsSourceAndDepth) {
  VrelsPlugin plug(nullptr);
  std::set<int> bases;
  for (int slot = 0; slot < NUM_MOD_SLOTS; ++slot) {
    int base = kModSlots[slot].mParamIdx;
    EXPECT_TRUE(bases.insert(base).second) << slot;
    ParamType type = plug.GetParam(base)->Type();
    EXPECT_TRUE(type == ParamInt || type == ParamDouble) << slot;
    // UpdTime has no source or depth of its own: only the matrix reaches it.
    if (base == kUpdTime) {
      EXPECT_STREQ(plug.GetParam(base + 1)->Name(), "DelayOn");
      continue;
    }
    // The flock's slots (up to UpdTime) take the first six sources only.
    EXPECT_EQ(plug.GetParam(base + 1)->Type(), ParamEnum) << slot;
    EXPECT_EQ(plug.GetParam(base + 1)->DisplayTextCount(), slot <= kSlotUpdTime ? 6 : 20) << slot;
    std::string depth = plug.GetParam(base + 2)->Name();
    EXPECT_EQ(depth, std::string(plug.GetParam(base)->Name()) + "D") << slot;
  }
  // The matrix target labels name the slots in slot order.
  const IParameter* target = plug.GetParam(kMxTgt1);
  EXPECT_STREQ(target->DisplayTextFor(1 + kSlotChSpeed), "ChSpeed");
  EXPECT_STREQ(target->DisplayTextFor(1 + kSlotGSrc), "Grn Src ");
  EXPECT_EQ(kModSlots[kSlotVrCount].mDisplayKind, kDisplayCount);
  EXPECT_EQ(kModSlots[kSlotChCount].mDisplayKind, kDisplayCount);
  EXPECT_EQ(kModSlots[kSlotGPan].mDisplayKind, kDisplayPan);
  EXPECT_EQ(kModSlots[kSlotGFdbk].mDisplayKind, kDisplayPercent);
  EXPECT_EQ(kModSlots[kSlotDTime].mDisplayKind, kDisplayMsec);
}

TEST(ParamDispatch, UnknownAndUndeclaredIndicesAreIgnored) {
  VrelsPlugin plug(nullptr);
  for (int i : {-1, 104, 150, 188, NUM_PARAMS, 1000}) plug.OnParamChanged(i);
  for (int i = 0; i < NUM_PARAMS; ++i) plug.OnParamChanged(i);
  EXPECT_EQ(plug.GetParam(kVrCount)->Value(), 4.0);
}

}  // namespace
