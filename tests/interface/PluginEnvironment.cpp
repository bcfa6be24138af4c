#include "PluginEnvironment.h"

#include <clocale>
#include <cstring>

#include "ParamIndex.h"

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#define INTERFACETEST_HAS_MXCSR 1
#endif

namespace interfacetest {

namespace {

std::unique_ptr<testhost::PluginModule>& Module() {
  static std::unique_ptr<testhost::PluginModule> module;
  return module;
}

std::string& LocaleAtStart() {
  static std::string locale;
  return locale;
}

unsigned gFloatControlAtStart = 0;
double gSoakSeconds = 120;

#ifdef INTERFACETEST_HAS_MXCSR
const unsigned kStickyFlags = 0x3F;  // MXCSR bits 0-5: the exception flags
#endif

// Far outside any parameter's range in either direction.
const double kFarBelow = -1e300;
const double kFarAbove = 1e300;

}  // namespace

bool LoadPlugin(const std::string& path, std::string* error) {
  Module() = testhost::PluginModule::Load(path, error);
  return Module() != nullptr;
}

void UnloadPlugin() {
  Module().reset();
}

const testhost::PluginModule& Plugin() {
  return *Module();
}

void RecordInitialProcessState() {
  const char* locale = std::setlocale(LC_ALL, nullptr);
  LocaleAtStart() = locale ? locale : "";
  gFloatControlAtStart = FloatControl();
}

const std::string& InitialLocale() {
  return LocaleAtStart();
}

unsigned InitialFloatControl() {
  return gFloatControlAtStart;
}

bool HasFloatControl() {
#ifdef INTERFACETEST_HAS_MXCSR
  return true;
#else
  return false;
#endif
}

unsigned FloatControl() {
#ifdef INTERFACETEST_HAS_MXCSR
  return _mm_getcsr() & ~kStickyFlags;
#else
  return 0;
#endif
}

void SetFloatControl(unsigned control) {
#ifdef INTERFACETEST_HAS_MXCSR
  _mm_setcsr(control & ~kStickyFlags);
#else
  (void)control;
#endif
}

double SoakSeconds() {
  return gSoakSeconds;
}
void SetSoakSeconds(double seconds) {
  gSoakSeconds = seconds;
}

std::unique_ptr<testhost::Host> CreateInstance(const testhost::HostSettings& settings, const char* entry) {
  auto host = std::make_unique<testhost::Host>(settings);
  if (!host->Instantiate(Plugin().FindEntry(entry))) return nullptr;
  return host;
}

std::unique_ptr<testhost::Host> OpenInstance(const testhost::HostSettings& settings) {
  auto host = CreateInstance(settings);
  if (host) host->Open();
  return host;
}

std::unique_ptr<testhost::Host> OpenDryInstance(const testhost::HostSettings& settings) {
  auto host = OpenInstance(settings);
  if (host) {
    host->SetParameter(kGrainOn, 0.0f);
    host->SetParameter(kDelayOn, 0.0f);
  }
  return host;
}

void SetPlainValues(testhost::Host& host, const std::vector<std::pair<int32_t, double>>& values) {
  std::vector<double> all = ChunkValues(host.GetChunk(false));
  for (const auto& value : values) {
    if (value.first >= 0 && static_cast<size_t>(value.first) < all.size()) all[value.first] = value.second;
  }
  host.SetChunk(MakeChunk(all), false);
}

std::vector<uint8_t> MakeChunk(const std::vector<double>& values, bool withHeader, uint32_t version) {
  std::vector<uint8_t> chunk;
  if (withHeader) {
    chunk.resize(kChunkHeaderSize);
    std::memcpy(&chunk[0], &kChunkMagic, 4);
    std::memcpy(&chunk[4], &version, 4);
  }
  const size_t start = chunk.size();
  chunk.resize(start + values.size() * sizeof(double));
  if (!values.empty()) std::memcpy(&chunk[start], values.data(), values.size() * sizeof(double));
  return chunk;
}

std::vector<double> ChunkValues(const std::vector<uint8_t>& chunk) {
  if (chunk.size() < kChunkHeaderSize) return {};
  std::vector<double> values((chunk.size() - kChunkHeaderSize) / sizeof(double));
  if (!values.empty()) {
    std::memcpy(values.data(), &chunk[kChunkHeaderSize], values.size() * sizeof(double));
  }
  return values;
}

const ParamRanges& Ranges() {
  static const ParamRanges ranges = [] {
    ParamRanges learnt;
    auto host = OpenInstance();
    if (!host) return learnt;
    host->SetChunk(MakeChunk(std::vector<double>(kNumParams, kFarBelow)), false);
    learnt.min = ChunkValues(host->GetChunk(false));
    host->SetChunk(MakeChunk(std::vector<double>(kNumParams, kFarAbove)), false);
    learnt.max = ChunkValues(host->GetChunk(false));
    return learnt;
  }();
  return ranges;
}

std::vector<float> AllParameters(testhost::Host& host) {
  std::vector<float> values(kNumParams);
  for (int32_t i = 0; i < kNumParams; ++i) values[i] = host.GetParameter(i);
  return values;
}

}  // namespace interfacetest
