#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes examples/performance.txt: a short made-up piano piece as an ASCII
MIDI listing, played with rubato (phrases that push forward and relax, a
final ritardando) and with crescendo and diminuendo over every phrase.

Right hand: a melody of quarters and eighths. Left hand: a bass note with a
triad on the first beat and a two-note chord on the third, each chord's notes
a few ms apart as a pianist's hands play them.

Line layout, one note event per line:
    <position>; /* <time> ms */+<key><velocity>;
with "+" for a note-on and "-" for a note-off, the key in two digits and the
velocity right-aligned in three characters.

Usage: tools/make_example_performance.py [OUTPUT]
"""

import math
import random
import sys

SEED = 1789
BARS = 32
BEATS_PER_BAR = 4
BEAT_MS = 640.0  # about 94 beats a minute

# C major: I vi IV V, twice per eight bars.
PROGRESSION = [(48, [0, 4, 7]), (45, [0, 3, 7]), (41, [0, 4, 7]), (43, [0, 4, 7])]
SCALE = [0, 2, 4, 5, 7, 9, 11]
RHYTHMS = [[1, 1, 1, 1], [0.5, 0.5, 1, 1, 1], [1, 0.5, 0.5, 2], [2, 1, 1], [1.5, 0.5, 1, 1]]


def tempo_factor(beat):
    """Beat length relative to BEAT_MS: every four-bar phrase starts calm,
    presses on in its middle and broadens at its end; the last two bars slow
    down to half speed."""
    phrase_beats = 4 * BEATS_PER_BAR
    pos = (beat % phrase_beats) / phrase_beats
    factor = 1.0 + 0.5 * (pos - 0.45) ** 2 - 0.04
    remaining = BARS * BEATS_PER_BAR - beat
    if remaining < 2 * BEATS_PER_BAR:
        factor *= 1.0 + 0.6 * (1.0 - remaining / (2 * BEATS_PER_BAR)) ** 2
    return factor


def loudness(beat):
    """Velocity of the melody: crescendo to the middle of every eight-bar
    phrase, diminuendo after it, over an arch across the whole piece."""
    phrase_beats = 8 * BEATS_PER_BAR
    phrase = math.sin(math.pi * (beat % phrase_beats) / phrase_beats)
    piece = math.sin(math.pi * beat / (BARS * BEATS_PER_BAR))
    return 48 + 30 * phrase + 18 * piece


def main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else "examples/performance.txt"
    rng = random.Random(SEED)

    # Onset time of every beat, with the tempo bending beat by beat.
    beat_ms = [0.0]
    for beat in range(BARS * BEATS_PER_BAR + 1):
        beat_ms.append(beat_ms[-1] + BEAT_MS * tempo_factor(beat))

    def at(beat):
        whole = int(beat)
        return beat_ms[whole] + (beat - whole) * (beat_ms[whole + 1] - beat_ms[whole])

    notes = []  # (on_ms, off_ms, key, velocity)

    def play(beat, length, key, velocity, spread=0.0):
        on = at(beat) + rng.uniform(-6.0, 6.0) + spread
        off = at(beat + length) - rng.uniform(20.0, 60.0)
        velocity = max(1, min(127, round(velocity + rng.uniform(-4.0, 4.0))))
        notes.append((on, max(off, on + 40.0), key, velocity))

    degree = 2  # melody starts on the third of the scale
    for bar in range(BARS):
        root, chord = PROGRESSION[bar % len(PROGRESSION)]
        first = bar * BEATS_PER_BAR

        # Left hand: bass and triad on beat 1, third and fifth on beat 3.
        level = loudness(first) - 14
        play(first, 2, root - 12, level + 4, rng.uniform(0, 4))
        for interval in chord:
            play(first, 2, root + interval, level, rng.uniform(4, 18))
        for interval in chord[1:]:
            play(first + 2, 2, root + interval, level - 6, rng.uniform(0, 14))

        # Right hand: a stepwise melody that leans on chord tones.
        beat = float(first)
        rhythm = rng.choice(RHYTHMS) if bar < BARS - 1 else [4]
        for length in rhythm:
            if beat == first or rng.random() < 0.3:
                tones = [(root + i) % 12 for i in chord]
                while SCALE[degree % 7] not in tones:
                    degree += rng.choice([-1, 1])
            else:
                degree += rng.choice([-2, -1, -1, 1, 1, 2])
            degree = max(0, min(13, degree))
            key = 72 + SCALE[degree % 7] + 12 * (degree // 7) - 12
            play(beat, length, key, loudness(beat) + 8, rng.uniform(-3, 3))
            beat += length

    # Sort the events in time; at equal times the note-off comes first.
    events = []
    for on, off, key, velocity in notes:
        events.append((round(on), 1, "+", key, velocity))
        events.append((round(off), 0, "-", key, 64))
    events.sort()
    start = events[0][0]

    with open(out_path, "w", newline="\n") as f:
        for position, (time, _, sign, key, velocity) in enumerate(events, start=1):
            f.write(f"{position}; /* {time - start} ms */{sign}{key:02d}{velocity:>3};\n")


if __name__ == "__main__":
    main()
