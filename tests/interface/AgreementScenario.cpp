#include "AgreementScenario.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ParamIndex.h"
#include "PluginEnvironment.h"

namespace interfacetest {

namespace {
const int kRate = 44100;

const std::vector<std::pair<int32_t, double>> kSettings = {
    // The flock: many vrels, chasers, quick updates, speed swept by LFO-1
    // through the first matrix slot.
    {kVrCount, 24},
    {kChCount, 4},
    {kUpdTime, 0.5},
    {kMxTgt1, kTargetVrSpeed},
    {kMxMod1, kSourceLfo1},
    {kMxDph1, 0.5},
    // Taps: each vrel's own time, pan by its place, feedback swept by LFO-3.
    {kTapCount, 8},
    {kDTimeS, 0},
    {kDTime, 180},
    {kDTimeM, kSourceVrelIndex},
    {kDTimeD, 0.6},
    {kDSmooth, 0.95},
    {kDFbk, 0.45},
    {kDFbkM, kSourceLfo3},
    {kDFbkD, 0.3},
    {kDPanM, kSourceVrelX},
    {kDPanD, 1},
    {kDLpf, 0.7},
    // Grains: twelve streams, length by LFO-1, pitch by height, pan by
    // index, source by distance, direction at random, feedback by LFO-2.
    {kGrnCount, 12},
    {kGLenS, 0},
    {kGLen, 60},
    {kGLenM, kSourceLfo1},
    {kGLenD, 0.3},
    {kGIotS, 0},
    {kGIot, 15},
    {kGXpose, 1.2},
    {kGXposeM, kSourceVrelY},
    {kGXposeD, 0.4},
    {kGDelayS, 0},
    {kGDelay, 40},
    {kGDirM, kSourceRandom},
    {kGDirD, 0.5},
    {kGPanM, kSourceVrelIndex},
    {kGPanD, 1},
    {kGSrcM, kSourceVrelR},
    {kGSrcD, 1},
    {kGFdbk, 0.3},
    {kGFdbkM, kSourceLfo2},
    {kGFdbkD, 0.6},
    {kGEnvelop, kEnvelopeGaussian},
    {kGHpf, 0.1},
    {kGLpf, 0.8},
    // LFOs: sine, triangle and the default sine at their own rates; the
    // second matrix slot moves the delay time with LFO-4.
    {kLfo1Shap, 0},
    {kLfo1Rate, 0.7},
    {kLfo2Shap, 1},
    {kLfo2Rate, 0.3},
    {kLfo3Rate, 1.1},
    {kMxTgt2, kTargetDTime},
    {kMxMod2, kSourceLfo4},
    {kMxDph2, 0.3},
    // Mixer.
    {kDryOut, -3},
    {kGrainOut, 0},
    {kDelayOut, -2},
    {kGrn2Dly, -6},
    {kDry2Dly, -3},
};
}  // namespace

Stereo RenderAgreementScenario(testhost::Host& host) {
  host.SetSampleRate(static_cast<float>(kRate));
  host.SetBlockSize(2048);
  host.SetMainsChanged(true);
  SetPlainValues(host, kSettings);

  // Noise in bursts: a quarter second on, a quarter off, louder each time.
  const int frames = kAgreementSeconds * kRate;
  Stereo input = Noise(frames, 0.6, 11);
  for (int i = 0; i < frames; ++i) {
    const int burst = i / (kRate / 4);
    const double level = burst % 2 ? 0.0 : 0.25 * (1 + burst % 4);
    input.left[i] *= level;
    input.right[i] *= level;
  }

  // Blocks of 1..2048 frames from a fixed generator.
  Stereo output(frames);
  uint32_t state = 12345;
  for (int done = 0; done < frames;) {
    state = state * 1664525u + 1013904223u;
    const int block = std::min(frames - done, 1 + static_cast<int>((state >> 8) % 2048));
    double* in[2] = {input.left.data() + done, input.right.data() + done};
    double* out[2] = {output.left.data() + done, output.right.data() + done};
    host.ProcessDouble(in, out, block);
    done += block;
  }
  return output;
}

bool WriteRender(const std::string& path, const Stereo& render) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = true;
  for (int i = 0; i < render.Frames() && ok; ++i) {
    const double frame[2] = {render.left[i], render.right[i]};
    ok = std::fwrite(frame, sizeof frame, 1, file) == 1;
  }
  return std::fclose(file) == 0 && ok;
}

bool ReadRender(const std::string& path, Stereo* render) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  *render = Stereo();
  double frame[2];
  while (std::fread(frame, sizeof frame, 1, file) == 1) {
    render->left.push_back(frame[0]);
    render->right.push_back(frame[1]);
  }
  std::fclose(file);
  return true;
}

}  // namespace interfacetest
