#include "modulation/ModulationMatrix.h"

void ModulationMatrix::Detach(MatrixSlot& s, ModParam (&params)[NUM_MOD_SLOTS]) {
  if (!s.mActive) return;
  s.mActive = false;
  ModParam& p = params[s.mTarget];
  if (--p.mMatrixUsers == 0) p.SetCentre(p.mKnobBase);
}

void ModulationMatrix::Attach(MatrixSlot& s, ModParam (&params)[NUM_MOD_SLOTS]) {
  // The bounds also keep a value the parameter could never give from
  // indexing outside the records or the sources.
  s.mActive = s.mTarget >= 0 && s.mTarget < NUM_MOD_SLOTS && s.mSource > 0 &&
              s.mSource < ModSources::NUM_SOURCES && s.mDepth > 0;
  if (!s.mActive) return;
  ModParam& p = params[s.mTarget];
  if (p.mMatrixUsers++ == 0) p.mKnobBase = p.mBase;
}

void ModulationMatrix::SetTarget(int slot, int targetValue, ModParam (&params)[NUM_MOD_SLOTS]) {
  if (slot < 0 || slot >= NUM_SLOTS) return;
  MatrixSlot& s = mSlots[slot];
  Detach(s, params);
  s.mTarget = targetValue - 1;
  Attach(s, params);
}

void ModulationMatrix::SetSource(int slot, int source, ModParam (&params)[NUM_MOD_SLOTS]) {
  if (slot < 0 || slot >= NUM_SLOTS) return;
  MatrixSlot& s = mSlots[slot];
  Detach(s, params);
  s.mSource = source;
  Attach(s, params);
}

void ModulationMatrix::SetDepth(int slot, double depth, ModParam (&params)[NUM_MOD_SLOTS]) {
  if (slot < 0 || slot >= NUM_SLOTS) return;
  MatrixSlot& s = mSlots[slot];
  Detach(s, params);
  s.mDepth = depth;
  Attach(s, params);
}

void ModulationMatrix::Apply(const ModSources& sources, ModParam (&params)[NUM_MOD_SLOTS]) {
  for (const MatrixSlot& s : mSlots)
    if (s.mActive) params[s.mTarget].mMatrixSum = 0;
  for (const MatrixSlot& s : mSlots) {
    if (!s.mActive) continue;
    double e = s.mDepth;
    params[s.mTarget].mMatrixSum += (0.5 - e / 2) + e * sources[s.mSource];
  }
  // A target with two slots is re-centred twice on the same sum: harmless.
  for (const MatrixSlot& s : mSlots) {
    if (!s.mActive) continue;
    ModParam& p = params[s.mTarget];
    double a = p.mMatrixSum / p.mMatrixUsers;
    a = a > 1.0 ? 1.0 : (a > 0.0 ? a : 0.0);
    p.SetCentre(p.mMin + (p.mMax - p.mMin) * a);
  }
}

void ModulationMatrix::Reset() {
  for (MatrixSlot& slot : mSlots) slot = MatrixSlot();
}
