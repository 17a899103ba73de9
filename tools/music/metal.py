"""Battle loop: 32 bars of 4/4 at 150 BPM (51.2 s) in E minor.

  A  (bars 1-8):   Em Em C D | Em Em C B     gallop riff, main theme
  A' (bars 9-16):  same chords, theme with harmony and a climbing run
  B  (bars 17-24): G D A C | G D C B         open chords, soaring melody
  C  (bars 25-32): Em C Am B | Em C Am B     thrash 16ths, chip arpeggios

Rhythm guitars are rendered at twice the sample rate (PolyBLEP saws into a
tanh drive) and brought down with a brick-wall FFT resample so the
distortion does not alias.  Every 8th bar carries a drum fill; the fill in
bar 32 runs into the crash on bar 1.  The loop is rendered with a tail that
is folded back onto the start and all bus processing is circular.
"""

import numpy as np

from . import dsp
from .dsp import SR

BPM = 150
BEAT = SR * 60 // BPM           # 17640 samples, exact
STEP = BEAT // 4                # 16th note, 4410 samples
BAR = 16 * STEP
BARS = 32
N = BARS * BAR                  # 2,257,920 samples = 51.2 s
TAIL = 2 * BAR
OS = 2                          # oversampling for the distorted guitars

E, F_, G, A, B, C, D = 40, 42, 43, 45, 47, 48, 50     # low guitar roots

CHORDS = ([E, E, C, D, E, E, C, B] * 2 +
          [G, D, A, C, G, D, C, B] +
          [E, C, A, B, E, C, A, B])

# triads for the chip arpeggios (section C) keyed by root
TRIADS = {E: [64, 67, 71, 76], C: [60, 64, 67, 72], A: [69, 72, 76, 81],
          B: [71, 75, 78, 83], G: [67, 71, 74, 79], D: [62, 66, 69, 74]}

# guitar riffs: (step, length in steps, muted)
RIFF_A = [(0, 3, False), (4, 1, True), (6, 1, True), (7, 1, True),
          (8, 2, False), (10, 1, True), (11, 1, True), (12, 1, True),
          (14, 1, True), (15, 1, True)]
RIFF_B = [(0, 6, False), (6, 4, False), (10, 1, True), (11, 1, True),
          (12, 4, False)]
RIFF_C = [(s, 1, s not in (0, 8)) for s in range(16)]

# lead melody, (step from start of phrase, length in steps, midi)
PH1 = [(0, 4, 71), (4, 2, 76), (6, 2, 78), (8, 4, 79), (12, 2, 78),
       (14, 2, 76), (16, 2, 74), (18, 2, 76), (20, 8, 71)]
PH2 = [(0, 2, 72), (2, 2, 76), (4, 4, 79), (8, 2, 81), (10, 2, 79),
       (12, 4, 76), (16, 4, 78), (20, 4, 81), (24, 6, 74)]
PH3 = [(0, 4, 71), (4, 2, 76), (6, 2, 78), (8, 2, 79), (10, 2, 81),
       (12, 4, 83), (16, 2, 81), (18, 2, 79), (20, 2, 78), (22, 2, 79),
       (24, 8, 76)]
PH4 = [(0, 4, 79), (4, 2, 76), (6, 2, 72), (8, 4, 76), (12, 4, 79),
       (16, 4, 78), (20, 4, 75), (24, 4, 71), (28, 4, 75)]
# A' ending: a climbing run into section B
PH4B = [(0, 4, 79), (4, 2, 76), (6, 2, 72), (8, 4, 76), (12, 4, 79),
        (16, 2, 78), (18, 2, 75), (20, 1, 71), (21, 1, 75), (22, 1, 78),
        (23, 1, 83), (24, 1, 81), (25, 1, 83), (26, 1, 84), (27, 1, 86),
        (28, 4, 87)]
PB1 = [(0, 4, 74), (4, 4, 79), (8, 8, 83), (16, 4, 81), (20, 4, 78),
       (24, 8, 74)]
PB2 = [(0, 4, 76), (4, 4, 81), (8, 6, 84), (14, 2, 83), (16, 8, 79),
       (24, 4, 76), (28, 4, 79)]
PB3 = [(0, 4, 83), (4, 4, 86), (8, 4, 83), (12, 4, 79), (16, 4, 81),
       (20, 4, 78), (24, 8, 81)]
PB4 = [(0, 2, 79), (2, 2, 76), (4, 4, 72), (8, 2, 76), (10, 2, 79),
       (12, 4, 84), (16, 8, 83), (24, 2, 81), (26, 2, 79), (28, 4, 78)]

SCALE = [64, 66, 67, 69, 71, 72, 74, 76]     # E natural minor degrees


def _third_below(m):
    """Diatonic third below in E minor (D# is treated as the raised 7th)."""
    pc = (m - 64) % 12
    octave = (m - 64) // 12
    degrees = [0, 2, 3, 5, 7, 8, 10]
    if pc == 11:                        # D#: harmonise with B
        return m - 4
    if pc not in degrees:
        return m - 3
    i = degrees.index(pc)
    j = i - 2
    shift = 0
    if j < 0:
        j += 7
        shift = -12
    return 64 + 12 * octave + degrees[j] + shift


# ---------------------------------------------------------------------------
# instruments

def _power_chord(root, steps, muted, rng, detune):
    """One distorted power chord (root, fifth, octave) at OS * SR."""
    sr = SR * OS
    gate = int(steps * STEP * OS * (0.55 if muted else 0.92))
    rel = int((0.02 if muted else 0.05) * sr)
    n = gate + rel
    t = np.arange(n) / sr
    sig = np.zeros(n)
    for k, (iv, amp) in enumerate(((0, 1.0), (7, 0.8), (12, 0.5))):
        f = dsp.midi_hz(root + iv)
        for c in (-1.0, 1.0):
            ff = f * 2 ** ((c * detune + rng.normal(0, 1.0)) / 1200)
            sig += amp * dsp.saw(ff, n, sr, phase0=rng.random())
    if muted:
        sig = dsp.padded_filter(sig, dsp.lp_resp(700.0, 2), 4096, sr)
        env = np.exp(-t / 0.06)
        drive = 9.0
    else:
        sig = dsp.padded_filter(sig, dsp.lp_resp(2500.0, 1), 4096, sr)
        env = 0.55 + 0.45 * np.exp(-t / 0.25)
        drive = 6.0
    env = env * np.minimum(1.0, t / 0.002)
    sig = np.tanh(drive * sig * env) / np.tanh(drive)
    tail = np.ones(n)
    tail[gate:] = np.linspace(1.0, 0.0, rel)
    return sig * tail


def _rhythm_guitar(seed, detune, jitter):
    rng = np.random.default_rng(seed)
    buf = np.zeros((N + TAIL) * OS)
    for bar, root in enumerate(CHORDS):
        if bar < 16:
            riff = RIFF_A
        elif bar < 24:
            riff = RIFF_B
        else:
            riff = RIFF_C
        last = bar % 8 == 7
        for step, length, muted in riff:
            if last and step >= 12:
                continue            # leave room for the drum fill
            chord = _power_chord(root, length, muted, rng, detune)
            pos = (bar * BAR + step * STEP) * OS
            pos += int(rng.integers(0, jitter * OS + 1))
            vel = 1.0 if not muted else 0.8
            dsp.add_at(buf, chord * vel, pos)
        if last:                    # big open stab on beat 4, let it ring
            chord = _power_chord(root, 4, False, rng, detune)
            dsp.add_at(buf, chord, (bar * BAR + 12 * STEP) * OS)
    buf = dsp.fold(buf, N * OS)
    # speaker-cabinet tone, then brick-wall resample back to SR
    X = np.fft.rfft(buf)
    f = np.fft.rfftfreq(buf.shape[0], 1.0 / (SR * OS))
    h = (dsp.lp_resp(5000.0, 4)(f) * dsp.hp_resp(90.0, 2)(f) *
         (1.0 - 0.35 * np.exp(-((f - 700.0) / 350.0) ** 2)) *
         (1.0 + 0.5 * np.exp(-((f - 2400.0) / 600.0) ** 2)))
    X *= h
    keep = N // 2 + 1
    y = np.fft.irfft(X[:keep], n=N) / OS
    return y


def _bass(rng):
    buf = np.zeros(N + TAIL)
    for bar, root in enumerate(CHORDS):
        m = root - 12
        for k in range(8):
            if bar % 8 == 7 and k >= 6:
                continue
            if bar >= 24:
                # gallop the bass in section C
                steps = [(2 * k, 1), (2 * k + 1, 1)]
            else:
                steps = [(2 * k, 2)]
            for s, ln in steps:
                gate = int(ln * STEP * 0.85)
                env = dsp.adsr(gate, 0.003, 0.12, 0.6, 0.02)
                n = env.shape[0]
                f = dsp.midi_hz(m)
                sig = (0.6 * dsp.saw(f, n) +
                       0.5 * dsp.pulse(f, n, width=0.5, phase0=0.25))
                sig = np.tanh(2.0 * sig) * env
                dsp.add_at(buf, sig * 0.5, bar * BAR + s * STEP)
    buf = dsp.fold(buf, N)
    buf = dsp.lowpass(buf, 900.0, 2)
    return dsp.highpass(buf, 35.0, 2)


def _lead_note(m, steps, width, vib=True, slide_from=None):
    gate = int(steps * STEP * 0.95)
    env = dsp.adsr(gate, 0.004, 0.15, 0.75, 0.06)
    n = env.shape[0]
    t = np.arange(n) / SR
    f = np.full(n, dsp.midi_hz(m))
    if slide_from is not None:
        f0 = dsp.midi_hz(slide_from)
        glide = np.minimum(1.0, t / 0.03)
        f = f0 * (f / f0) ** glide
    if vib and steps >= 4:
        depth = 0.009 * np.clip((t - 0.18) / 0.15, 0, 1)
        f = f * (1.0 + depth * np.sin(2 * np.pi * 6.0 * t))
    sig = dsp.pulse(f, n, width=width) * 0.7 + 0.3 * dsp.saw(f, n)
    return sig * env


def _place_phrase(buf, phrase, bar, width, amp, transpose=0, harm=False):
    prev = None
    for s, ln, m in phrase:
        m2 = _third_below(m) if harm else m
        m2 += transpose
        slide = prev if (prev is not None and ln >= 4 and not harm and
                         abs(m2 - prev) <= 5) else None
        sig = _lead_note(m2, ln, width, slide_from=slide)
        dsp.add_at(buf, sig * amp, bar * BAR + s * STEP)
        prev = m2


def _lead():
    main = np.zeros(N + TAIL)
    harm = np.zeros(N + TAIL)
    arp = np.zeros(N + TAIL)
    # A
    for bar, ph in ((0, PH1), (2, PH2), (4, PH3), (6, PH4)):
        _place_phrase(main, ph, bar, 0.25, 0.30)
    # A': same tune, now harmonised, ending with the run
    for bar, ph in ((8, PH1), (10, PH2), (12, PH3), (14, PH4B)):
        _place_phrase(main, ph, bar, 0.25, 0.30)
        if ph is not PH4B:
            _place_phrase(harm, ph, bar, 0.125, 0.22, harm=True)
    # B
    for bar, ph in ((16, PB1), (18, PB2), (20, PB3), (22, PB4)):
        _place_phrase(main, ph, bar, 0.5, 0.28)
        _place_phrase(harm, ph, bar, 0.125, 0.13, transpose=-12)
    # C: 16th chip arpeggios, an octave jump in the second half
    order = [0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1, 0, 1, 2, 3]
    for bar in range(24, 31):
        tones = TRIADS[CHORDS[bar]]
        up = 12 if bar >= 28 else 0
        for s in range(16):
            sig = _lead_note(tones[order[s]] + up, 1, 0.125, vib=False)
            dsp.add_at(arp, sig * 0.17, bar * BAR + s * STEP)
    # bar 32: descending answer that lands on the crash of bar 1
    tail_ph = [(0, 2, 83), (2, 2, 81), (4, 2, 78), (6, 2, 75), (8, 8, 71)]
    _place_phrase(main, tail_ph, 31, 0.25, 0.28)
    return dsp.fold(main, N), dsp.fold(harm, N), dsp.fold(arp, N)


# ---------------------------------------------------------------------------
# drums

def _drum_kit(rng):
    kit = {}
    n = int(0.35 * SR)
    t = np.arange(n) / SR
    f = 48.0 + 120.0 * np.exp(-t / 0.025)
    k = np.sin(2 * np.pi * np.cumsum(f) / SR)
    k *= np.exp(-t / 0.16)
    click = rng.standard_normal(n) * np.exp(-t / 0.002) * 0.5
    k = np.tanh(1.6 * (k + dsp.padded_filter(click, dsp.lp_resp(5000.0), 512)))
    kit['kick'] = dsp.fade(k, 0.0005, 0.02)

    n = int(0.3 * SR)
    t = np.arange(n) / SR
    noise = rng.standard_normal(n)
    # chip flavour: sample-and-hold the noise at a lower rate
    noise = np.repeat(noise[::3], 3)[:n]
    noise = dsp.padded_filter(noise, dsp.bp_resp(900.0, 9000.0, 1), 1024)
    tone = np.sin(2 * np.pi * np.cumsum(185 + 60 * np.exp(-t / 0.01)) / SR)
    s = 0.55 * noise * np.exp(-t / 0.09) + 0.7 * tone * np.exp(-t / 0.045)
    kit['snare'] = dsp.fade(s, 0.0005, 0.03)

    for name, dec, ln in (('hat', 0.018, 0.08), ('ohat', 0.12, 0.35)):
        n = int(ln * SR)
        t = np.arange(n) / SR
        h = dsp.padded_filter(rng.standard_normal(n),
                              dsp.hp_resp(7000.0, 2), 1024)
        kit[name] = dsp.fade(h * np.exp(-t / dec), 0.0003, 0.01)

    n = int(1.6 * SR)
    t = np.arange(n) / SR
    cr = np.zeros((n, 2))
    for ch in range(2):
        c = dsp.padded_filter(rng.standard_normal(n),
                              dsp.bp_resp(3500.0, 14000.0, 2), 2048)
        cr[:, ch] = c * np.exp(-t / 0.45) * (1 + 0.3 * np.exp(-t / 0.05))
    kit['crash'] = dsp.fade(cr, 0.0005, 0.1)

    for name, f0 in (('tom1', 200.0), ('tom2', 150.0), ('tom3', 110.0),
                     ('tom4', 80.0)):
        n = int(0.45 * SR)
        t = np.arange(n) / SR
        f = f0 * (1.0 + 0.6 * np.exp(-t / 0.04))
        tm = np.sin(2 * np.pi * np.cumsum(f) / SR) * np.exp(-t / 0.16)
        tm += 0.15 * dsp.padded_filter(rng.standard_normal(n),
                                       dsp.lp_resp(3000.0), 512) * \
            np.exp(-t / 0.03)
        kit[name] = dsp.fade(np.tanh(1.3 * tm), 0.0005, 0.03)
    return kit


def _drums(rng):
    kit = _drum_kit(rng)
    buf = np.zeros((N + TAIL, 2))
    gains = {'kick': (0.9, 0.0), 'snare': (0.6, 0.05), 'hat': (0.16, 0.35),
             'ohat': (0.14, 0.35), 'tom1': (0.5, -0.5), 'tom2': (0.5, -0.15),
             'tom3': (0.5, 0.2), 'tom4': (0.55, 0.5)}

    def hit(name, bar, step, vel=1.0):
        pos = bar * BAR + int(step * STEP)
        s = kit[name]
        if s.ndim == 1:
            g, p = gains[name]
            s = dsp.pan(s * g * vel, p)
        else:
            s = s * 0.32 * vel
        dsp.add_at(buf, s, pos)

    for bar in range(BARS):
        sec = bar // 8
        fill = bar % 8 == 7
        if bar % 8 == 0:
            hit('crash', bar, 0)
        if sec == 0:
            kicks = [0, 3, 6, 8, 10, 11, 14]
        elif sec == 1:
            kicks = list(range(0, 16, 2))
        elif sec == 2:
            kicks = [0, 2, 3, 8, 10, 11, 14]
        else:
            kicks = [s for s in range(16) if s % 4 != 1]
        hats = range(0, 16, 2)
        for s in kicks:
            if fill and s >= 8 and bar != BARS - 1:
                continue
            if bar == BARS - 1 and s >= 4:
                continue
            hit('kick', bar, s, 0.9 if s % 4 else 1.0)
        if bar == BARS - 1:
            # long fill into the loop start: snares, then 16th toms
            hit('snare', bar, 0)
            hit('kick', bar, 0)
            for s in (2, 4, 6):
                hit('snare', bar, s, 0.7 + 0.1 * s / 2)
            toms = ['tom1', 'tom1', 'tom2', 'tom2', 'tom3', 'tom3', 'tom4',
                    'tom4']
            for i, s in enumerate(range(8, 16)):
                hit(toms[i], bar, s)
                if i % 2 == 0:
                    hit('kick', bar, s, 0.8)
            hit('snare', bar, 15.5, 0.5)
            continue
        for s in (4, 12):
            if fill and s == 12:
                continue
            hit('snare', bar, s)
        if sec == 2:
            for s in range(0, 16, 4):
                hit('ohat', bar, s, 0.8)
        else:
            for s in hats:
                if fill and s >= 8:
                    continue
                hit('hat', bar, s, 1.0 if s % 4 == 0 else 0.7)
        if sec == 3 and not fill:
            hit('snare', bar, 14.5, 0.25)      # ghost note
        if fill:
            pattern = [('snare', 8, 0.7), ('snare', 9, 0.6),
                       ('tom1', 10, 1.0), ('tom1', 11, 0.9),
                       ('tom2', 12, 1.0), ('tom3', 13, 1.0),
                       ('tom4', 14, 1.0), ('snare', 15, 0.9)]
            if sec == 1:
                pattern = [('snare', s, 0.55 + 0.03 * s) for s in
                           range(8, 16)]
            for name, s, v in pattern:
                hit(name, bar, s, v)
            hit('kick', bar, 8)
            hit('kick', bar, 12)
    return dsp.fold(buf, N)


def render():
    rng = np.random.default_rng(31337)
    gl = _rhythm_guitar(101, 5.0, 40)
    gr = _rhythm_guitar(202, 7.0, 40)
    guitars = np.stack([gl * 0.92 + gr * 0.18, gr * 0.92 + gl * 0.18],
                       axis=1)
    bass = _bass(rng)
    main, harm, arp = _lead()
    drums = _drums(rng)

    mix = 0.26 * guitars + dsp.pan(0.55 * bass, 0.0) + 0.42 * drums
    lead = (dsp.pan(1.15 * main, 0.0) + dsp.pan(harm, 0.45) +
            dsp.pan(1.4 * arp, -0.3))
    lead = dsp.highpass(lead, 200.0, 1)
    lead = dsp.lowpass(lead, 9000.0, 2)
    echo = dsp.pingpong(lead, 3 * STEP, 0.35, n_taps=4, tone=3000.0)
    mix += lead + 0.35 * echo

    room = dsp.make_ir(1.2, np.random.default_rng(9), decay_lo=0.22,
                       decay_hi=0.1, predelay=0.012)
    send = 0.4 * lead + 0.06 * drums
    mix += 0.25 * dsp.circ_convolve(send, room)
    mix = dsp.highpass(mix, 30.0, 2)

    mix *= dsp.undb(-16.5 - dsp.rms_db(mix))
    print('metal: peak before limiter %.1f dBFS' % dsp.peak_db(mix))
    mix = dsp.limit(mix, -1.5)
    mix = dsp.dither16(mix, np.random.default_rng(6))
    return mix


def write(path):
    mix = render()
    dsp.write_ogg(path, mix, serial=8150, quality=3)
    return mix
