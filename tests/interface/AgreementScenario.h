// The render every target must agree on: ten seconds of a busy setting
// (grains with feedback, many taps with feedback, chasers, LFOs and matrix
// slots modulating the flock, the grains and the taps) fed with noise
// bursts in blocks of varying size. The same samples, parameters and host
// timing on every target, so the outputs may differ only by rounding.
#pragma once

#include <string>

#include "AudioRender.h"
#include "Host.h"

namespace interfacetest {

const int kAgreementSeconds = 10;
// Largest difference allowed between two targets' renders.
const double kAgreementTolerance = 1e-7;

// Sets up a fresh, open instance and renders the scenario through it.
Stereo RenderAgreementScenario(testhost::Host& host);

// Raw little-endian doubles, the channels interleaved.
bool WriteRender(const std::string& path, const Stereo& render);
bool ReadRender(const std::string& path, Stereo* render);

}  // namespace interfacetest
