#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the melody lead of `returnplot --export-features` against a
computation of its own: every match file of the two Chopin excerpts is parsed
here (snote(...)-note(...) lines, grace notes left out), the played notes are
grouped by score position, the melody note chosen (the highest note of voice
1; the earliest of equal keys; positions without voice 1 and arpeggiated ones
have no lead), and the mean melody lead of each pianist computed again with NumPy and compared with the mean of
the program's melody_lead_ms column, and the median key overlap of the melody
line (voice 1) with the median of its overlap_ms column. Also prints, for each piece, the corpus
mean, the correlation of the lead with the velocity difference, and the
median key overlap of the melody line.

    tools/check_features.py [PROGRAM [MATCH_FOLDER]]

PROGRAM defaults to `returnplot`, MATCH_FOLDER to the Vienna 4x22 match files
in ../shared/data/vienna4x22/match (Vienna 4x22 Piano Corpus, W. Goebl (1999),
doi:10.21939/4X22, CC BY 4.0). Exit status 1 when a pianist's mean lead or
median overlap differs by more than 0.1 ms, or a corpus mean lies outside 20 to 35 ms; 77 when the
files are not there.
"""
import csv, io, os, re, subprocess, sys
import numpy as np

CLI = sys.argv[1] if len(sys.argv) > 1 else 'returnplot'
DATA = (sys.argv[2] if len(sys.argv) > 2 else '../shared/data/vienna4x22/match').rstrip('/') + '/'
PIECES = ['Chopin_op10_no3', 'Chopin_op38']
CREDIT = 'Vienna 4x22 Piano Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0'
STEPS = {'c': 0, 'd': 2, 'e': 4, 'f': 5, 'g': 7, 'a': 9, 'b': 11}
ALTERS = {'n': 0, '#': 1, 'b': -1, '##': 2, 'x': 2, 'bb': -2, '': 0}
LINE = re.compile(r'^snote\((.*)\)-note\((.*)\)\.\s*$')


def own_positions(path):
    """The played notes of each score position: (onset_ms, offset_ms, key, velocity, voice, arpeggio) lists, in
    score order."""
    rate = units = None
    notes = []
    with open(path, encoding='utf-8', errors='replace') as f:
        for line in f:
            if line.startswith('info(midiClockUnits,'):
                units = float(line.split(',')[1].split(')')[0])
            elif line.startswith('info(midiClockRate,'):
                rate = float(line.split(',')[1].split(')')[0])
            m = LINE.match(line)
            if not m:
                continue
            score, played = m.group(1), m.group(2)
            attributes = score[score.rindex('[') + 1:score.rindex(']')].split(',')
            if 'grace' in attributes:
                continue
            # snote(Anchor,[Step,Alter],Octave,Bar:Beat,Offset,Duration,OnsetInBeats,OffsetInBeats,[Attributes])
            fields = re.sub(r'\[[^]]*\]', 'X', score).split(',')
            beats = float(fields[6])
            first = attributes[0].lstrip('v')
            voice = int(first) if first.isdigit() else 0
            # note(Id,[Step,Alter],Octave,Onset,Offset,AdjOffset,Velocity)
            spelled = re.search(r'\[(\w),([^]]*)\]', played)
            rest = re.sub(r'\[[^]]*\]', 'X', played).split(',')
            key = 12 * (int(rest[2]) + 1) + STEPS[spelled.group(1).lower()] + ALTERS[spelled.group(2)]
            onset, offset, velocity = float(rest[3]), float(rest[4]), int(rest[6])
            notes.append((beats, onset, offset, key, velocity, voice, 'arp' in attributes))
    ms = rate / units / 1000.0
    notes.sort(key=lambda n: n[0])  # stable: file order within a position
    positions, i = [], 0
    while i < len(notes):
        j = i
        while j < len(notes) and notes[j][0] - notes[i][0] <= 1e-6:
            j += 1
        positions.append([(n[1] * ms, n[2] * ms, n[3], n[4], n[5], n[6]) for n in notes[i:j]])
        i = j
    return positions


def melody_of(chord):
    """The index of the highest voice-1 note of the chord (the earliest of equal keys); None without one."""
    marked = [i for i, n in enumerate(chord) if n[4] == 1]
    return min(marked, key=lambda i: (-chord[i][2], chord[i][0], i)) if marked else None


def own_features(path):
    """Per position: lead, velocity difference; and the key overlaps of the melody line (voice 1)."""
    leads, differences, line = [], [], []
    for chord in own_positions(path):
        m = melody_of(chord)
        if m is None:
            continue
        line.append(chord[m])
        if len(chord) < 2 or any(n[5] for n in chord):
            continue
        others = np.array([n for i, n in enumerate(chord) if i != m], dtype=float)
        leads.append(others[:, 0].mean() - chord[m][0])
        differences.append(chord[m][3] - others[:, 3].mean())
    overlaps = [a[1] - b[0] for a, b in zip(line, line[1:])]
    return np.array(leads), np.array(differences), np.array(overlaps)


def program_columns(files):
    """Each file's mean melody lead and median melody key overlap as the program exports them."""
    text = subprocess.run([CLI, '--export-features', *files], check=True, capture_output=True, text=True).stdout
    leads, overlaps = {}, {}
    for row in csv.DictReader(io.StringIO(text)):
        if row['melody_lead_ms']:
            leads.setdefault(row['file'], []).append(float(row['melody_lead_ms']))
        if row['overlap_ms']:
            overlaps.setdefault(row['file'], []).append(float(row['overlap_ms']))
    return {f: np.mean(v) for f, v in leads.items()}, {f: np.median(v) for f, v in overlaps.items()}


failed = False
for piece in PIECES:
    files = [DATA + f'{piece}_p{p:02d}.match' for p in range(1, 23)]
    if not all(os.path.exists(f) for f in files):
        print(f'SKIP: the Vienna 4x22 match files are not in {DATA}')
        sys.exit(77)
    printed, printed_overlaps = program_columns(files)
    means, worst, all_leads, all_differences, overlap_medians, positive = [], 0.0, [], [], [], []
    for f in files:
        leads, differences, overlaps = own_features(f)
        means.append(leads.mean())
        worst = max(worst, abs(leads.mean() - printed[f]), abs(np.median(overlaps) - printed_overlaps[f]))
        all_leads.append(leads)
        all_differences.append(differences)
        overlap_medians.append(np.median(overlaps))
        positive.append(np.mean(overlaps > 0))
    leads, differences = np.concatenate(all_leads), np.concatenate(all_differences)
    corpus = np.mean(means)
    r = np.corrcoef(leads, differences)[0, 1]
    print(f'{piece}: 22 pianists, mean melody lead per pianist {min(means):.1f} to {max(means):.1f} ms, '
          f'corpus mean {corpus:.1f} ms; largest difference from the program (mean lead, median overlap) '
          f'{worst:.2g} ms; '
          f'r(lead, velocity difference) = {r:.2f} over {len(leads)} chords; melody key overlap: median per '
          f'pianist {np.median(overlap_medians):.1f} ms, positive for {np.median(positive) * 100:.0f}% of the '
          f'notes (median over pianists), for most notes of {sum(p > 0.5 for p in positive)} of 22 pianists')
    if worst > 0.1 or not 20.0 <= corpus <= 35.0:
        failed = True
print(f'({CREDIT})')
sys.exit(1 if failed else 0)
