// The constant declaration record of one parameter: its key, the index it
// initialises and the handler that a change of it calls. The records live in
// five constant tables, one per kind of initialisation (integer, boolean,
// enumerated, real, trigger); each table's entry starts with the common
// record and adds that kind's initial values. The plug-in keeps a pointer to
// each registered record, by parameter index, for the change dispatch.
#pragma once

class VrelsPlugin;
struct ParamChangeDesc;

// Called with the plug-in, the parameter's record and its new plain value.
typedef void (*ParamChangeHandler)(VrelsPlugin* plug, const ParamChangeDesc* desc, double value);

struct ParamChangeDesc {
  const char* mName;   // key, at most 8 characters; empty for spare and button records
  const char* mLabel;  // unit label; always empty
  int mParamIdx;       // the parameter this record initialises and handles
  ParamChangeHandler mpHandler;
};

// InitAsInt(default, min, max), step 1.
struct IntParamDesc {
  ParamChangeDesc mDesc;
  int mDefault;
  int mMin;
  int mMax;
};

// InitAsBool(default): range 0..1, texts "off" and "on".
struct BoolParamDesc {
  ParamChangeDesc mDesc;
  unsigned char mDefault;
};

// InitAsEnum(default, count), then one display text per value 0..count-1
// from the label list.
struct EnumParamDesc {
  ParamChangeDesc mDesc;
  int mDefault;
  int mCount;
  const char* const* mpLabels;
};

// InitAsReal(default, min, max, step).
struct RealParamDesc {
  ParamChangeDesc mDesc;
  double mDefault;
  double mMin;
  double mMax;
  double mStep;
};

// A button: a real 0..1 with step 1, starting at 0.
struct TriggerParamDesc {
  ParamChangeDesc mDesc;
};
