#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the measures of `returnplot --stats` that its options add
(r_d_pearson, sampen with other m and r, DFA on chosen scales, the recurrence
quantification, the bootstrap intervals, windows) against a computation of
their own: the series are built from `--export-events`, every measure is
computed again with NumPy by brute force, and the two compared.

    tools/check_stats.py [PROGRAM [MATCH_FOLDER]]

PROGRAM defaults to `returnplot`, MATCH_FOLDER to the Vienna 4x22 match files
in ../shared/data/vienna4x22/match (Vienna 4x22 Piano Corpus, W. Goebl (1999),
doi:10.21939/4X22, CC BY 4.0). Prints the largest relative difference of
each measure; exit status 1 when one is above 1e-9.
"""
import csv, io, math, subprocess, sys
import numpy as np

CLI = sys.argv[1] if len(sys.argv) > 1 else 'returnplot'
DATA = (sys.argv[2] if len(sys.argv) > 2 else '../shared/data/vienna4x22/match').rstrip('/') + '/'
FILES = ['Chopin_op10_no3_p01', 'Chopin_op10_no3_p02', 'Chopin_op38_p01', 'Chopin_op38_p02',
         'Schubert_D783_no15_p01', 'Schubert_D783_no15_p02', 'Mozart_K331_1st-mov_p01', 'Mozart_K331_1st-mov_p02']

def run(args):
    return subprocess.run([CLI] + args, check=False, capture_output=True, text=True).stdout

def series_of(path):
    rows = list(csv.DictReader(io.StringIO(run(['--export-events', path]))))
    on = np.array([float(r['onset_ms']) for r in rows])
    vel = np.array([float(r['velocity0']) for r in rows])
    beats = np.array([float(r['score_onset_beats']) for r in rows])
    timing = np.diff(on)
    apart = np.diff(beats)
    tempo = timing[apart > 0] / apart[apart > 0]
    return {'timing': timing, 'velocity': vel, 'tempo': tempo}, on, vel, beats

def pearson(x, d):
    return np.corrcoef(x[:-d], x[d:])[0, 1]

def sampen(x, m, r):
    n = len(x)
    cnt = n - m
    t = np.array([x[i:i + m + 1] for i in range(cnt)])
    b = a = 0
    for i in range(cnt - 1):
        diff = np.abs(t[i + 1:] - t[i])
        agree = np.all(diff[:, :m] <= r, axis=1)
        b += agree.sum()
        a += (agree & (diff[:, m] <= r)).sum()
    if a == 0 or b == 0:
        return None
    return -math.log(a / b)

def dfa(x, lo, hi):
    n = len(x)
    y = np.cumsum(x - x.mean())
    scales = []
    j = 0
    while True:
        s = int(math.floor(lo * 2 ** (j / 4)))
        if s > min(n, hi if hi else n // 4):
            break
        if not scales or scales[-1] != s:
            scales.append(s)
        j += 1
    if len(scales) < 4:
        return None
    f = []
    for s in scales:
        w = n // s
        res = []
        for k in range(w):
            seg = y[k * s:(k + 1) * s]
            t = np.arange(s)
            c = np.polyfit(t, seg, 1)
            res.append(seg - np.polyval(c, t))
        f.append(math.sqrt(np.mean(np.concatenate(res) ** 2)))
    return np.polyfit(np.log(scales), np.log(f), 1)[0]

def lines(mask_1d):
    # lengths of runs of True
    out = []
    run = 0
    for v in mask_1d:
        if v:
            run += 1
        elif run:
            out.append(run); run = 0
    if run:
        out.append(run)
    return out

def rqa(x, m, tau, radius, rate, w):
    n = len(x) - (m - 1) * tau
    v = np.array([[x[i + k * tau] for k in range(m)] for i in range(n)])
    d = np.max(np.abs(v[:, None, :] - v[None, :, :]), axis=2)
    i, j = np.indices(d.shape)
    counted = np.abs(i - j) >= w
    if radius is None:
        vals = np.sort(d[counted])
        k = min(max(math.ceil(rate * len(vals)), 1), len(vals))
        radius = vals[k - 1]
    r = d <= radius
    rr = r[counted].sum() / counted.sum()
    diag = []
    for off in range(-(n - 1), n):
        if abs(off) < w:
            continue
        diag += lines(np.diagonal(r, off))
    vert = []
    for col in range(n):
        vert += lines(r[:, col])
    diag = np.array(diag); vert = np.array(vert)
    out = {'rqa_radius': radius, 'rqa_rr': rr}
    out['rqa_det'] = diag[diag >= 2].sum() / diag.sum() if diag.size else None
    out['rqa_lmax'] = diag.max() if diag.size else None
    long = diag[diag >= 2]
    out['rqa_l'] = long.mean() if long.size else None
    if long.size:
        _, counts = np.unique(long, return_counts=True)
        p = counts / counts.sum()
        out['rqa_entr'] = -(p * np.log(p)).sum()
    else:
        out['rqa_entr'] = None
    out['rqa_lam'] = vert[vert >= 2].sum() / vert.sum() if vert.size else None
    lv = vert[vert >= 2]
    out['rqa_tt'] = lv.mean() if lv.size else None
    return out

class MT64:
    """std::mt19937_64, for the bootstrap's draws."""
    def __init__(self, seed):
        self.mt = [0] * 312
        self.mt[0] = seed & 0xFFFFFFFFFFFFFFFF
        for i in range(1, 312):
            self.mt[i] = (6364136223846793005 * (self.mt[i - 1] ^ (self.mt[i - 1] >> 62)) + i) & 0xFFFFFFFFFFFFFFFF
        self.i = 312
    def __call__(self):
        if self.i >= 312:
            for k in range(312):
                y = (self.mt[k] & 0xFFFFFFFF80000000) | (self.mt[(k + 1) % 312] & 0x7FFFFFFF)
                z = self.mt[(k + 156) % 312] ^ (y >> 1)
                if y & 1:
                    z ^= 0xB5026F5AA96619E9
                self.mt[k] = z
            self.i = 0
        y = self.mt[self.i]; self.i += 1
        y ^= (y >> 29) & 0x5555555555555555
        y ^= (y << 17) & 0x71D67FFFEDA60000
        y ^= (y << 37) & 0xFFF7EEE000000000
        y ^= y >> 43
        return y & 0xFFFFFFFFFFFFFFFF

def bootstrap(x, block, resamples, level, seed, measures):
    eng = MT64(seed)
    n = len(x)
    vals = {k: [] for k in measures}
    for _ in range(resamples):
        res = []
        while len(res) < n:
            s = eng() % (n - block + 1)
            res.extend(x[s:s + min(block, n - len(res))])
        res = np.array(res)
        for k, f in measures.items():
            v = f(res)
            if v is not None and not (isinstance(v, float) and math.isnan(v)):
                vals[k].append(v)
    out = {}
    for k, v in vals.items():
        if 2 * len(v) < resamples:
            out[k] = (None, None)
        else:
            out[k] = tuple(np.quantile(np.array(v), [(1 - level) / 2, (1 + level) / 2]))
    return out

worst = {}
def compare(name, mine, theirs):
    if theirs is None or (isinstance(theirs, float) and math.isnan(theirs)):
        ok = mine == ''
        err = 0.0 if ok else float('inf')
    else:
        if mine == '':
            err = float('inf')
        else:
            err = abs(float(mine) - theirs) / max(1.0, abs(theirs))
    worst[name] = max(worst.get(name, 0.0), err)
    if err > 1e-9:
        print('DIFFER', name, mine, theirs)

def main():
    opts1 = ['--extended', '--rqa', '--sampen-m', '3', '--sampen-r', '0.25', '--dfa-scales', '5:30',
             '--ci', '90', '--ci-resamples', '200', '--ci-block', '7', '--random-state', '5']
    opts2 = ['--extended', '--rqa-dim', '3', '--rqa-delay', '2', '--rqa-theiler', '3', '--rqa-rate', '0.1',
             '--delay', '2']
    for f in FILES:
        path = DATA + f + '.match'
        series, on, vel, beats = series_of(path)
        for opts, d in ((opts1, 1), (opts2, 2)):
            rows = list(csv.DictReader(io.StringIO(run(['--stats', '--jobs', '1'] + opts + [path]))))
            for row in rows:
                x = series[row['series']]
                assert int(row['n']) == len(x)
                compare('r_d_pearson', row['r_d_pearson'], pearson(x, d))
                if opts is opts1:
                    compare('sampen(m=3,r=0.25)', row['sampen'], sampen(x, 3, 0.25 * x.std(ddof=1)))
                    compare('dfa_alpha(5:30)', row['dfa_alpha'], dfa(x, 5, 30))
                    q = rqa(x, 2, 1, None, 0.05, 1)
                else:
                    q = rqa(x, 3, 2, None, 0.1, 3)
                for k, v in q.items():
                    compare(k, row[k], v)
                if opts is opts1:
                    ci = bootstrap(x, 7, 200, 0.9, 5, {
                        'mean': lambda r: r.mean(), 'sd': lambda r: r.std(ddof=1),
                        'r_d_pearson': lambda r: pearson(r, 1),
                        'rqa_rr': lambda r, rad=q['rqa_radius']: rqa(r, 2, 1, rad, 0, 1)['rqa_rr']})
                    for k, (lo, hi) in ci.items():
                        compare(k + '_lo', row[k + '_lo'], lo)
                        compare(k + '_hi', row[k + '_hi'], hi)
        # windows of 60 events every 30: the measures of the slice
        rows = list(csv.DictReader(io.StringIO(run(['--stats', '--extended', '--window', '60', '--step', '30', path]))))
        for row in rows:
            a, b = int(row['first_event']) - 1, int(row['last_event']) - 1
            assert a % 30 == 0 and (b - a == 59 or b == len(on) - 1)
            sl = slice(a, b + 1)
            t = np.diff(on[sl]); ap = np.diff(beats[sl])
            x = {'timing': t, 'velocity': vel[sl], 'tempo': t[ap > 0] / ap[ap > 0]}[row['series']]
            compare('window mean', row['mean'], x.mean())
            compare('window r_d_pearson', row['r_d_pearson'], pearson(x, 1))
    for k, v in worst.items():
        print(f'{k:24s} largest relative difference {v:.2g}')
    return 1 if max(worst.values()) > 1e-9 else 0

sys.exit(main())
