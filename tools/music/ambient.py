"""Menu ambient loop: 16 bars of 4/4 at 60 BPM (64 s) in D minor.

Section A (bars 1-8):  Dm9 | Bbmaj7#11 | Fmaj9 | Cadd9   (two bars each)
Section B (bars 9-16): Gm9 | Bbmaj7    | Am7   | Asus4 -> A7

Layers: detuned saw pad, sine sub bass, FM bell arpeggio with ping-pong
echo, soft triangle lead with delayed vibrato, high pentatonic "stars" and
filtered noise wind; all through a long synthetic hall reverb.  The loop is
rendered with a tail that is folded back onto the start, and every effect
after that is circular, so the end flows straight into the beginning.
"""

import numpy as np

from . import dsp
from .dsp import SR

BPM = 60
BEAT = SR * 60 // BPM          # 44100 samples, exact
BAR = 4 * BEAT
BARS = 16
N = BARS * BAR                 # loop length in samples (64 s)
TAIL = 8 * BEAT

# (start bar, length in bars, bass midi, pad voicing)
CHORDS = [
    (0, 2, 38, [50, 57, 60, 64, 65]),      # Dm9
    (2, 2, 34, [46, 53, 57, 62, 64]),      # Bbmaj7#11
    (4, 2, 41, [53, 57, 60, 64, 67]),      # Fmaj9
    (6, 2, 36, [55, 60, 62, 64, 67]),      # Cadd9
    (8, 2, 43, [55, 58, 62, 65, 69]),      # Gm9
    (10, 2, 34, [50, 57, 58, 62, 65]),     # Bbmaj7
    (12, 2, 45, [52, 55, 60, 64, 67]),     # Am7
    (14, 1, 45, [52, 57, 62, 64, 69]),     # Asus4
    (15, 1, 45, [52, 57, 61, 64, 67]),     # A7
]

# arpeggio tones (chord tones, mid/high register) per chord index
ARP_TONES = [
    [62, 65, 69, 72, 76],
    [58, 62, 65, 69, 76],
    [60, 65, 69, 72, 79],
    [60, 64, 67, 74, 79],
    [62, 67, 70, 74, 81],
    [62, 65, 70, 74, 77],
    [60, 64, 69, 72, 76],
    [62, 64, 69, 74, 76],
    [61, 64, 69, 73, 76],
]

# lead melody: (start beat, length in beats, midi)
MELODY = [
    # A: enters in bar 3, answers itself over F and C
    (8, 1.5, 69), (9.5, 0.5, 74), (10, 2, 76), (12, 1, 77), (13, 1, 76),
    (14, 2, 74),
    (16, 2, 72), (18, 1, 76), (19, 1, 79), (20, 3, 81), (23, 1, 79),
    (24, 2, 76), (26, 1, 74), (27, 1, 72), (28, 4, 74),
    # B: higher, longer arc, ends on the leading tone back to Dm
    (32, 1, 74), (33, 1, 79), (34, 1, 81), (35, 3, 82), (38, 1, 81),
    (39, 1, 79),
    (40, 2, 77), (42, 1, 74), (43, 1, 77), (44, 4, 81),
    (48, 1.5, 79), (49.5, 0.5, 76), (50, 2, 72), (52, 1, 76), (53, 1, 79),
    (54, 2, 81),
    (56, 2, 74), (58, 2, 76), (60, 2, 73), (62, 2, 76),
]


def _pad(buf):
    for ci, (bar, bars, _bass, notes) in enumerate(CHORDS):
        start = bar * BAR
        gate = bars * BAR
        env = dsp.adsr(gate, 1.6, 0.5, 0.85, 2.5)
        n = env.shape[0]
        t = np.arange(n) / SR
        for j, m in enumerate(notes):
            f = dsp.midi_hz(m)
            vib = 1.0 + 0.0015 * np.sin(2 * np.pi * (0.21 + 0.03 * j) * t + j)
            left = (dsp.saw(f * vib * 2 ** (-6 / 1200), n, phase0=0.1 * j) +
                    dsp.saw(f * vib * 2 ** (3 / 1200), n, phase0=0.37 * j))
            right = (dsp.saw(f * vib * 2 ** (6 / 1200), n, phase0=0.23 * j) +
                     dsp.saw(f * vib * 2 ** (-3 / 1200), n, phase0=0.61 * j))
            sig = np.stack([left, right], axis=1) * env[:, None] * 0.08
            dsp.add_at(buf, sig, start)


def _bass(buf):
    for bar, bars, m, _ in CHORDS:
        gate = bars * BAR
        env = dsp.adsr(gate, 0.35, 0.8, 0.8, 1.2)
        n = env.shape[0]
        f = dsp.midi_hz(m)
        s = dsp.sine(f, n) + 0.25 * dsp.sine(2 * f, n) + 0.06 * dsp.sine(3 * f, n)
        dsp.add_at(buf, dsp.pan(s * env * 0.30, 0.0), bar * BAR)


def _bell(m, n, amp):
    f = dsp.midi_hz(m)
    t = np.arange(n) / SR
    index = 0.2 + 1.8 * np.exp(-t / 0.25)
    mod = np.sin(2 * np.pi * 2.0 * f * t)
    car = np.sin(2 * np.pi * f * t + index * mod)
    car += 0.25 * np.sin(2 * np.pi * 3.0 * f * t + 0.7 * index * mod)
    env = np.exp(-t / 0.9) * np.minimum(1.0, t / 0.004)
    env[-int(0.05 * SR):] *= np.linspace(1, 0, int(0.05 * SR))
    return car * env * amp


def _arp(buf, rng):
    eighth = BEAT // 2
    pat_a = [0, 1, 2, 3, 2, 1, 2, 3]
    pat_b = [0, 2, 1, 3, 2, 4, 3, 1]
    for ci, (bar, bars, _, _) in enumerate(CHORDS):
        tones = ARP_TONES[ci]
        section_b = bar >= 8
        pat = pat_b if section_b else pat_a
        for k in range(bars * 8):
            step = bar * 8 + k
            idx = pat[k % 8]
            if section_b and k % 8 == 7 and (bar + k // 8) % 2 == 1:
                idx = 4             # reach up at the end of every other bar
            m = tones[idx]
            # in the first two bars the arp only plays on the beat (intro)
            if bar < 2 and k % 2 == 1:
                continue
            vel = 0.55 + 0.25 * (k % 4 == 0) + 0.1 * rng.random()
            sig = _bell(m, int(2.4 * SR), 0.13 * vel)
            p = -0.45 + 0.9 * ((k * 3) % 8) / 7.0
            start = step * eighth + int(rng.integers(0, 180))
            dsp.add_at(buf, dsp.pan(sig, p), start)


def _lead(buf):
    for beat, length, m in MELODY:
        gate = int(length * BEAT)
        env = dsp.adsr(gate, 0.09, 0.4, 0.75, 0.9)
        n = env.shape[0]
        t = np.arange(n) / SR
        depth = 0.006 * np.clip((t - 0.35) / 0.6, 0.0, 1.0)
        f = dsp.midi_hz(m) * (1.0 + depth * np.sin(2 * np.pi * 5.2 * t))
        s = dsp.triangle(f, n) + 0.35 * dsp.sine(f, n)
        s = s * env * 0.16
        dsp.add_at(buf, dsp.pan(s, 0.1), int(beat * BEAT))


def _stars(buf, rng):
    penta = [86, 89, 91, 93, 96, 98, 101]
    for i in range(22):
        beat = rng.uniform(0, BARS * 4)
        m = penta[int(rng.integers(0, len(penta)))]
        n = int(1.8 * SR)
        t = np.arange(n) / SR
        f = dsp.midi_hz(m)
        s = (np.sin(2 * np.pi * f * t) + 0.3 * np.sin(2 * np.pi * 2.01 * f * t))
        s *= np.exp(-t / 0.45) * np.minimum(1.0, t / 0.01) * 0.035
        s[-2000:] *= np.linspace(1, 0, 2000)
        dsp.add_at(buf, dsp.pan(s, rng.uniform(-0.9, 0.9)), int(beat * BEAT))


def _wind(rng):
    """Filtered noise whose colour drifts; LFOs complete whole cycles per
    loop, and the noise is filtered circularly, so it is seamless."""
    t = np.arange(N) / SR
    loop_s = N / SR
    out = np.zeros((N, 2))
    for ch in range(2):
        noise = rng.standard_normal(N)
        low = dsp.bandpass(noise, 150.0, 600.0, 2)
        high = dsp.bandpass(noise, 900.0, 2600.0, 2)
        lfo = 0.5 + 0.5 * np.sin(2 * np.pi * 3 * t / loop_s + ch * 1.3)
        swell = 0.6 + 0.4 * np.sin(2 * np.pi * 2 * t / loop_s + 0.4 + ch)
        out[:, ch] = (low * (1 - lfo) + 0.6 * high * lfo) * swell
    return out * 0.05


def render():
    rng = np.random.default_rng(20240601)
    dry = np.zeros((N + TAIL, 2))
    pads = np.zeros_like(dry)
    _pad(pads)
    arp = np.zeros_like(dry)
    _arp(arp, rng)
    lead = np.zeros_like(dry)
    _lead(lead)
    stars = np.zeros_like(dry)
    _stars(stars, rng)
    _bass(dry)

    pads = dsp.fold(pads, N)
    # soften the pad
    pads = 0.9 * dsp.lowpass(pads, 1900.0, 2)
    arp = 1.6 * dsp.fold(arp, N)
    lead = 1.25 * dsp.fold(lead, N)
    stars = 2.0 * dsp.fold(stars, N)
    dry = 0.7 * dsp.fold(dry, N)
    dry = dsp.highpass(dry, 28.0, 2)

    echo = dsp.pingpong(arp, 3 * BEAT // 4, 0.45, n_taps=7, tone=3500.0)
    lead_echo = dsp.pingpong(lead, 3 * BEAT // 2, 0.35, n_taps=4,
                             tone=2500.0)

    mix = dry + pads + arp + 0.55 * echo + lead + 0.5 * lead_echo + stars
    mix += _wind(rng)

    ir = dsp.make_ir(5.0, np.random.default_rng(77), decay_lo=0.75,
                     decay_hi=0.3, predelay=0.03)
    send = 0.35 * pads + 0.8 * (arp + 0.55 * echo) + 0.6 * lead + stars
    wet = dsp.circ_convolve(send, ir)
    mix = mix + 0.32 * wet
    mix = dsp.highpass(mix, 25.0, 2)

    mix *= dsp.undb(-18.0 - dsp.rms_db(mix))
    print('ambient: peak before limiter %.1f dBFS' % dsp.peak_db(mix))
    mix = dsp.limit(mix, -1.5)
    mix = dsp.dither16(mix, np.random.default_rng(5))
    return mix


def write(path):
    mix = render()
    dsp.write_ogg(path, mix, serial=1601, quality=3)
    return mix
