#!/usr/bin/python3
"""Generate every sound effect and music loop in assets/Sounds/.

Pure synthesis (numpy) plus oggenc for the two music loops.  All randomness
uses fixed seeds and the Ogg streams use fixed serial numbers, so re-running
reproduces the files byte for byte.

Run with Debian's Python (it has numpy):  /usr/bin/python3 tools/gen_sounds.py
Options:  --only NAME[,NAME...]   regenerate just some files (by file stem)
          --out DIR               write somewhere else (default assets/Sounds)
"""

import argparse
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from music import ambient, dsp, metal  # noqa: E402

SR = dsp.SR
LO = 11025


def _norm(x, peak_db):
    return x * (dsp.undb(peak_db) / np.max(np.abs(x)))


def _even(n):
    return n + (n % 2)


# ---------------------------------------------------------------------------
# 11025 Hz, 8-bit mono

def mouseover():
    """Soft rounded blip: two sine partials gliding up a fifth."""
    sr = LO
    n = _even(int(0.075 * sr))
    t = np.arange(n) / sr
    f = 660.0 * (1.0 + 0.5 * (1.0 - np.exp(-t / 0.012)))
    ph = 2 * np.pi * np.cumsum(f) / sr
    s = np.sin(ph) + 0.18 * np.sin(2 * ph)
    env = np.minimum(1.0, t / 0.006) * np.exp(-t / 0.03)
    s = dsp.fade(s * env, 0.0, 0.012, sr)
    return _norm(s, -6.0)


def explode():
    """Noise burst with a closing low-pass, crackle and a low thump."""
    sr = LO
    rng = np.random.default_rng(1001)
    n = _even(int(0.9 * sr))
    t = np.arange(n) / sr
    noise = rng.standard_normal(n)
    cutoff = 250.0 + 3800.0 * np.exp(-t / 0.12)
    body = dsp.svf_lowpass(noise, cutoff, 0.8, sr)
    body *= np.exp(-t / 0.22) * np.minimum(1.0, t / 0.004)
    rumble = dsp.svf_lowpass(rng.standard_normal(n), 120.0, 0.7, sr)
    rumble *= np.exp(-t / 0.35) * 3.0
    thump_f = 38.0 + 80.0 * np.exp(-t / 0.06)
    thump = np.sin(2 * np.pi * np.cumsum(thump_f) / sr)
    thump *= np.exp(-t / 0.16) * np.minimum(1.0, t / 0.003) * 0.9
    crackle = np.zeros(n)
    for _ in range(40):
        i = int(rng.integers(0, int(0.45 * sr)))
        crackle[i] += rng.choice([-1.0, 1.0]) * np.exp(-i / (0.15 * sr))
    crackle = dsp.svf_lowpass(crackle, 2500.0, 0.7, sr) * 4.0
    s = body + rumble + thump + crackle
    s = np.tanh(1.4 * s / np.max(np.abs(s))) 
    s = dsp.fade(s, 0.002, 0.12, sr)
    return _norm(s, -3.0)


# ---------------------------------------------------------------------------
# 44100 Hz, 16-bit stereo

def mouseclick():
    rng = np.random.default_rng(1002)
    n = int(0.07 * SR)
    t = np.arange(n) / SR
    tick = dsp.padded_filter(rng.standard_normal(n),
                             dsp.bp_resp(2500.0, 9000.0, 2), 512)
    tick *= np.exp(-t / 0.0025)
    ping = np.sin(2 * np.pi * 3100.0 * t) * np.exp(-t / 0.006)
    body = np.sin(2 * np.pi * 720.0 * t) * np.exp(-t / 0.012) * 0.6
    s = tick * 0.9 + ping * 0.5 + body
    st = np.stack([s, np.roll(s, 9) * 0.92], axis=1)
    st = dsp.fade(st, 0.0007, 0.015)
    return _norm(st, -4.0)


def tankmissile():
    """Ignition pop, rocket roar and a whoosh that pans across."""
    rng = np.random.default_rng(1003)
    n = int(0.62 * SR)
    t = np.arange(n) / SR
    out = np.zeros((n, 2))
    sweep = 400.0 + 2600.0 * np.sin(np.pi * np.clip(t / 0.55, 0, 1)) ** 1.5
    amp = np.minimum(1.0, t / 0.03) * np.exp(-t / 0.3)
    for ch in range(2):
        noise = rng.standard_normal(n)
        whoosh = dsp.svf_bandpass(noise, sweep * (1.0 + 0.04 * ch), 1.6)
        roar = dsp.svf_lowpass(rng.standard_normal(n), 500.0, 0.8)
        out[:, ch] = whoosh * 1.2 + roar * 0.8
    out *= amp[:, None]
    pop_f = 90.0 + 160.0 * np.exp(-t / 0.02)
    pop = np.sin(2 * np.pi * np.cumsum(pop_f) / SR) * np.exp(-t / 0.05)
    out += pop[:, None] * 0.9
    p = np.clip(-0.5 + 1.2 * t / 0.6, -0.5, 0.6)
    a = (p + 1.0) * np.pi / 4.0
    out *= np.stack([np.cos(a), np.sin(a)], axis=1) * np.sqrt(2.0)
    out = dsp.fade(out, 0.002, 0.08)
    return _norm(out, -4.0)


def ufofireball():
    """Hostile zap: ring-modulated pulse diving from 1.6 kHz to 140 Hz."""
    n = int(0.42 * SR)
    t = np.arange(n) / SR
    f = 140.0 + 1500.0 * np.exp(-t / 0.09)
    out = np.zeros((n, 2))
    for ch, det in enumerate((0.995, 1.005)):
        x = dsp.pulse(f * det, n, width=0.3)
        x += 0.6 * dsp.saw(f * det * 1.5, n)
        ring = np.sin(2 * np.pi * np.cumsum(f * 0.5 + 55.0) / SR)
        x = x * (0.6 + 0.4 * ring)
        x = np.tanh(1.8 * x)
        x = dsp.svf_lowpass(x, 1500.0 + 7000.0 * np.exp(-t / 0.12), 0.9)
        out[:, ch] = x
    env = np.minimum(1.0, t / 0.003) * np.exp(-t / 0.15)
    out *= env[:, None]
    out = dsp.fade(out, 0.001, 0.06)
    return _norm(out, -4.0)


def _ufo_sweep(f_start, f_end, rising, seed):
    """Warbling saucer sweep.  Rising: approaching (louder, brighter, to the
    centre).  Falling: retreating (quieter, darker, drifting to the side)."""
    rng = np.random.default_rng(seed)
    n = int(1.05 * SR)
    t = np.arange(n) / SR
    x = t / t[-1]
    base = f_start * (f_end / f_start) ** x
    warble = 1.0 + 0.06 * np.sin(2 * np.pi * (7.0 + 5.0 * x) * t)
    out = np.zeros((n, 2))
    for ch, det in enumerate((0.996, 1.004)):
        f = base * warble * det
        s = dsp.saw(f, n) * 0.6 + dsp.sine(f * 2.0, n) * 0.4
        s += 0.3 * dsp.sine(f * 0.5, n)
        cut = 600.0 + 4000.0 * (x if rising else (1.0 - x))
        s = dsp.svf_lowpass(s, cut, 1.2)
        out[:, ch] = s
    shimmer = dsp.svf_bandpass(rng.standard_normal(n), base * 3.0, 4.0)
    out += shimmer[:, None] * 0.25
    if rising:
        amp = 0.25 + 0.75 * x ** 1.5
        p = -0.6 * (1.0 - x)
    else:
        amp = (1.0 - x) ** 1.6
        p = 0.7 * x
    a = (p + 1.0) * np.pi / 4.0
    out *= (amp * np.sqrt(2.0))[:, None] * np.stack([np.cos(a), np.sin(a)],
                                                    axis=1)
    out = dsp.fade(out, 0.03, 0.1)
    return _norm(out, -4.0)


def ufoattack():
    return _ufo_sweep(160.0, 1100.0, True, 1004)


def uforetreat():
    return _ufo_sweep(1100.0, 140.0, False, 1005)


EFFECTS = [
    ('mouseover', mouseover, LO, 8),
    ('explode', explode, LO, 8),
    ('mouseclick', mouseclick, SR, 16),
    ('tankmissile', tankmissile, SR, 16),
    ('ufofireball', ufofireball, SR, 16),
    ('ufoattack', ufoattack, SR, 16),
    ('uforetreat', uforetreat, SR, 16),
]

MUSIC = [
    ('menuambient', ambient.write),
    ('8_Bit_Battle_Metal', metal.write),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--out', default=os.path.join(here, '..', 'assets',
                                                  'Sounds'))
    ap.add_argument('--only', default='')
    args = ap.parse_args()
    only = set(filter(None, args.only.split(',')))
    os.makedirs(args.out, exist_ok=True)

    for name, fn, sr, bits in EFFECTS:
        if only and name not in only:
            continue
        data = fn()
        path = os.path.join(args.out, name + '.wav')
        dsp.write_wav(path, data, sr, bits)
        print('%-20s %6.3f s  peak %6.1f dBFS' %
              (name + '.wav', data.shape[0] / sr, dsp.peak_db(data)))

    for name, fn in MUSIC:
        if only and name not in only:
            continue
        path = os.path.join(args.out, name + '.ogg')
        mix = fn(path)
        print('%-20s %6.3f s  peak %6.1f dBFS  rms %6.1f dBFS' %
              (name + '.ogg', mix.shape[0] / SR, dsp.peak_db(mix),
               dsp.rms_db(mix)))


if __name__ == '__main__':
    main()
