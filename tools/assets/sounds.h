// The game's sound effects, synthesised: short, soft-edged and wintry.
#pragma once

#include <vector>

constexpr int kSampleRate = 44100;

// Mono samples from -1 to 1 at kSampleRate.
using Samples = std::vector<float>;

Samples SynthesiseBallOnPaddle();    // a short wooden tock
Samples SynthesiseBallOnObject();    // a glassy ornament ting
Samples SynthesiseGiftCaught();      // a rising chime with sleigh bells
Samples SynthesiseSnowballCaught();  // a soft crunching puff
Samples SynthesiseChimneyCaught();   // a low clunk and a falling groan
