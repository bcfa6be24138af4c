#include "engine/GrainEngine.h"

#include <emmintrin.h>

#include <algorithm>

#include "Assert.h"
#include "dsp/TimeUnits.h"
#include "params/SwitchThreshold.h"

namespace {
// Grain lengths and delays are held to this many samples (about 100 minutes
// at 44.1 kHz), far beyond any the parameters give at a usable sample rate,
// so that read offsets and positions stay well inside the int range even at
// double speed.
const double kMaxGrainSamples = 1 << 28;
// Added to the length before the envelope step is taken, so that a grain of
// length 0 gets a finite step.
const double kLengthGuard = 0.00001;

// Milliseconds to whole samples, truncated, within 0..kMaxGrainSamples.
int SamplesFromMs(double ms, double sampleRate) {
  double samples = ms * sampleRate / MS_PER_SECOND;
  if (!(samples > 0)) return 0;
  return static_cast<int>(std::min(samples, kMaxGrainSamples));
}

// floor(x) for |x| well inside the int range.
inline int FloorToInt(double x) {
  int i = static_cast<int>(x);
  return x < i ? i - 1 : i;
}
}  // namespace

GrainEngine::GrainEngine() {
  for (int i = 0; i < MAX_STREAMS; ++i) mFreeStreams.Append(new GrainStream);
  for (int i = 0; i < MAX_GRAINS; ++i) mFreeGrains.Append(new Grain);
}

void GrainEngine::SetNumStreams(int n, const VrelList& vrels) {
  n = std::max(0, std::min(n, MAX_STREAMS));
  while (mNumStreams < n) {
    Vrel* pVrel = vrels.First();
    while (pVrel && pVrel->mIndex != mNumStreams) pVrel = VrelList::Next(pVrel);
    VRELS_ASSERT(pVrel);
    if (!pVrel) break;
    GrainStream* stream = mFreeStreams.TakeFirst();
    if (!stream) stream = new GrainStream;
    mpStreams[mNumStreams] = stream;
    ++mNumStreams;
    stream->mpVrel = pVrel;
    mActiveStreams.Append(stream);
  }
  while (mNumStreams > n) {
    --mNumStreams;
    GrainStream* pGrainStream = mpStreams[mNumStreams];
    mpStreams[mNumStreams] = nullptr;
    VRELS_ASSERT(pGrainStream);
    if (!pGrainStream) continue;
    bool found = mActiveStreams.Contains(pGrainStream);
    VRELS_ASSERT(found);
    if (found) mActiveStreams.Remove(pGrainStream);
    mFreeStreams.Append(pGrainStream);
  }
  if (mNextStream >= n) mNextStream = 0;
}

const Vrel* GrainEngine::TakeTurn() {
  VRELS_ASSERT(mNumStreams > 0);
  GrainStream* stream = mpStreams[mNextStream];
  if (++mNextStream >= mNumStreams) mNextStream = 0;
  mOnsetCountdown = mOnsetInterval;
  return stream ? stream->mpVrel : nullptr;
}

bool GrainEngine::StartGrain(const GrainSettings& settings, double sampleRate) {
  if (!(settings.mAmplitude > 0) || mActiveGrains >= GRAINS_PER_STREAM * mNumStreams) return false;
  Grain* grain = mFreeGrains.TakeFirst();
  if (!grain) return false;  // cannot happen: the pool holds the most that may sound
  int length = SamplesFromMs(settings.mLengthMs, sampleRate);
  int delay = SamplesFromMs(settings.mDelayMs, sampleRate);
  grain->mPosition = 0;
  grain->mLength = length;
  grain->mEnvelopeStep = static_cast<float>(EnvelopeTable::SIZE / (length + kLengthGuard));
  grain->mChannel = settings.mSource >= SWITCH_THRESHOLD ? 1 : 0;
  grain->mPan = settings.mPan;
  grain->mAmplitude = settings.mAmplitude;
  grain->mRate = settings.mRate;
  if (settings.mDirection > SWITCH_THRESHOLD) {
    grain->mRate = -grain->mRate;
  } else if (grain->mRate > 1) {
    // Read faster than real time, the grain starts far enough back never to
    // overtake the write position.
    delay = static_cast<int>(length * grain->mRate + delay);
  }
  grain->mReadOffset = -delay;
  mActiveGrainList.Append(grain);
  ++mActiveGrains;
  return true;
}

void GrainEngine::Render(const InputHistory histories[2], const EnvelopeTable& envelope, int frames,
                         double* left, double* right) {
  for (Grain* grain = mActiveGrainList.First(); grain;) {
    Grain* next = GrainList::Next(grain);
    RenderGrain(grain, histories[grain->mChannel], envelope, frames, left, right);
    if (grain->mPosition >= grain->mLength) {
      mActiveGrainList.Remove(grain);
      mFreeGrains.Append(grain);
      if (mActiveGrains > 0) --mActiveGrains;
    }
    grain = next;
  }
}

namespace {
// Pairs of grain samples for RenderGrain: from sample 0 while two remain;
// returns how many were done and leaves u and t at the next sample. With
// kChecked, envelope positions are held inside the table and history
// positions wrap; without, the caller has made sure neither is needed.
template <bool kChecked>
int RenderPairs(const double (&envelope)[EnvelopeTable::SIZE + 1], const double* ring, int w, double step,
                double rate, double amplitude, double pan, int count, double* u, double* t, double* left,
                double* right) {
  const __m128d one = _mm_set1_pd(1.0), steps = _mm_set1_pd(step), rates = _mm_set1_pd(rate);
  const __m128d amplitudes = _mm_set1_pd(amplitude), pans = _mm_set1_pd(pan),
                pansRight = _mm_set1_pd(1 - pan);
  const __m128i lastEntry = _mm_set1_epi32(EnvelopeTable::SIZE - 1);
  const __m128i writeIndex = _mm_set1_epi32(w), mask = _mm_set1_epi32(AudioRing::RING_MASK);
  const __m128i next = _mm_set1_epi32(1);
  const double* here = ring + w;
  __m128d us = _mm_set_pd(*u + step, *u);
  __m128d ts = _mm_set_pd(*t + rate, *t);
  int k = 0;
  for (; k + 1 < count; k += 2) {
    // Envelope: the entry below u (at most the last), and the fraction.
    __m128i ui = _mm_cvttpd_epi32(us);
    __m128d uf = _mm_sub_pd(us, _mm_cvtepi32_pd(ui));
    if (kChecked) {
      const __m128i beyond = _mm_cmpgt_epi32(ui, lastEntry);
      ui = _mm_or_si128(_mm_and_si128(beyond, lastEntry), _mm_andnot_si128(beyond, ui));
      uf = _mm_min_pd(_mm_sub_pd(us, _mm_cvtepi32_pd(ui)), one);
    }
    // Each lane's two neighbouring entries come in one load.
    const int u0 = _mm_cvtsi128_si32(ui), u1 = _mm_cvtsi128_si32(_mm_srli_si128(ui, 4));
    const __m128d entries0 = _mm_loadu_pd(&envelope[u0]), entries1 = _mm_loadu_pd(&envelope[u1]);
    const __m128d e0 = _mm_unpacklo_pd(entries0, entries1);
    const __m128d e1 = _mm_unpackhi_pd(entries0, entries1);
    const __m128d e = _mm_add_pd(e0, _mm_mul_pd(_mm_sub_pd(e1, e0), uf));

    // History: floor(t), then the two neighbours.
    __m128d whole = _mm_cvtepi32_pd(_mm_cvttpd_epi32(ts));
    whole = _mm_sub_pd(whole, _mm_and_pd(_mm_cmplt_pd(ts, whole), one));
    const __m128i ti = _mm_cvttpd_epi32(whole);
    __m128d a, b;
    if (kChecked) {
      const __m128i ia = _mm_and_si128(_mm_add_epi32(writeIndex, ti), mask);
      const __m128i ib = _mm_and_si128(_mm_add_epi32(_mm_add_epi32(writeIndex, ti), next), mask);
      const int a0 = _mm_cvtsi128_si32(ia), a1 = _mm_cvtsi128_si32(_mm_srli_si128(ia, 4));
      const int b0 = _mm_cvtsi128_si32(ib), b1 = _mm_cvtsi128_si32(_mm_srli_si128(ib, 4));
      a = _mm_set_pd(ring[a1], ring[a0]);
      b = _mm_set_pd(ring[b1], ring[b0]);
    } else {
      const int i0 = _mm_cvtsi128_si32(ti), i1 = _mm_cvtsi128_si32(_mm_srli_si128(ti, 4));
      const __m128d samples0 = _mm_loadu_pd(here + i0), samples1 = _mm_loadu_pd(here + i1);
      a = _mm_unpacklo_pd(samples0, samples1);
      b = _mm_unpackhi_pd(samples0, samples1);
    }
    const __m128d x = _mm_add_pd(a, _mm_mul_pd(_mm_sub_pd(b, a), _mm_sub_pd(ts, whole)));

    const __m128d v = _mm_mul_pd(_mm_mul_pd(x, e), amplitudes);
    _mm_storeu_pd(left + k, _mm_add_pd(_mm_loadu_pd(left + k), _mm_mul_pd(v, pans)));
    _mm_storeu_pd(right + k, _mm_add_pd(_mm_loadu_pd(right + k), _mm_mul_pd(v, pansRight)));
    us = _mm_add_pd(_mm_add_pd(us, steps), steps);
    ts = _mm_add_pd(_mm_add_pd(ts, rates), rates);
  }
  *u = _mm_cvtsd_f64(us);
  *t = _mm_cvtsd_f64(ts);
  return k;
}
}  // namespace

void GrainEngine::RenderGrain(Grain* grain, const InputHistory& history, const EnvelopeTable& table,
                              int frames, double* left, double* right) const {
  // Indexed as the array it is, so that bounds checking sees every read.
  const double(&envelope)[EnvelopeTable::SIZE + 1] = table.mTable;
  const int count = std::min(frames, grain->mLength - grain->mPosition);
  const double* ring = history.mpSamples;
  const int w = history.mWriteIndex;
  const double step = grain->mEnvelopeStep;
  const double rate = grain->mRate;
  const double amplitude = grain->mAmplitude;
  const double pan = grain->mPan;
  const double panRight = 1 - pan;
  double u = grain->mPosition * step;
  double t = grain->mReadOffset;
  int k = 0;

  // Two samples at a time, one in each SSE lane. Each lane does exactly the
  // scalar loop's arithmetic below, and the positions advance by the same
  // additions, so the sums are the scalar loop's, bit for bit.
  if (count >= 2) {
    // Most calls stay inside the envelope table and read a stretch of the
    // history that does not wrap: the clamps and masks can then go, which
    // changes no value read.
    const double lastU = u + (count + 1) * step;
    const double firstT = t, lastT = t + (count + 1) * rate;
    const double lowT = (firstT < lastT ? firstT : lastT) - 2, highT = (firstT < lastT ? lastT : firstT) + 2;
    const bool inside = lastU < EnvelopeTable::SIZE - 1 && w + lowT >= 0 && w + highT < AudioRing::RING_MASK;
    k = inside ? RenderPairs<false>(envelope, ring, w, step, rate, amplitude, pan, count, &u, &t, left, right)
               : RenderPairs<true>(envelope, ring, w, step, rate, amplitude, pan, count, &u, &t, left, right);
  }

  for (; k < count; ++k) {
    // The single-precision step can carry u of a very long grain just past
    // the table's end; the last segment then holds the closing entry.
    int ui = std::min(static_cast<int>(u), EnvelopeTable::SIZE - 1);
    double uf = std::min(u - ui, 1.0);
    double e = envelope[ui] + (envelope[ui + 1] - envelope[ui]) * uf;
    int ti = FloorToInt(t);
    double a = ring[(w + ti) & AudioRing::RING_MASK];
    double b = ring[(w + ti + 1) & AudioRing::RING_MASK];
    double x = a + (b - a) * (t - ti);
    double v = x * e * amplitude;
    left[k] += v * pan;
    right[k] += v * panRight;
    u += step;
    t += rate;
  }
  grain->mReadOffset = t - frames;
  grain->mPosition += count;
}
