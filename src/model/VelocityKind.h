// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the velocity values of a performance are: MIDI velocities (0 to 127)
// from a MIDI performance, or loudness in dB relative to full scale (a
// full-scale square wave is 0 dB) from a recording. Performances of
// different kinds cannot share a velocity axis.

namespace rp {

enum class VelocityKind { Midi, Decibel };

}  // namespace rp
