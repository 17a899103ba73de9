"""Small numpy DSP toolkit used by the VEXTORON sound generator.

Everything here is deterministic: callers pass seeded numpy Generators for
anything random.  Loop-oriented helpers (filters, delays, reverb, limiter)
work circularly so that a buffer that represents one loop of music stays
seamless when it is played back-to-back.
"""

import os
import struct
import subprocess
import tempfile

import numpy as np

SR = 44100


# ---------------------------------------------------------------------------
# pitch helpers

def midi_hz(m):
    return 440.0 * 2.0 ** ((np.asarray(m, dtype=float) - 69.0) / 12.0)


def db(x):
    return 20.0 * np.log10(max(float(x), 1e-12))


def undb(d):
    return 10.0 ** (d / 20.0)


# ---------------------------------------------------------------------------
# oscillators (band-limited with PolyBLEP)

def _phase(freq, n, sr, phase0):
    inc = np.broadcast_to(np.asarray(freq, dtype=float), (n,)) / sr
    ph = np.empty(n)
    ph[0] = 0.0
    if n > 1:
        np.cumsum(inc[:-1], out=ph[1:])
    ph += phase0
    return ph % 1.0, inc


def _blep(t, dt):
    out = np.zeros_like(t)
    m = t < dt
    x = t[m] / dt[m]
    out[m] = x + x - x * x - 1.0
    m = t > 1.0 - dt
    x = (t[m] - 1.0) / dt[m]
    out[m] = x * x + x + x + 1.0
    return out


def saw(freq, n, sr=SR, phase0=0.0):
    t, dt = _phase(freq, n, sr, phase0)
    return 2.0 * t - 1.0 - _blep(t, dt)


def pulse(freq, n, sr=SR, width=0.5, phase0=0.0):
    t, dt = _phase(freq, n, sr, phase0)
    w = np.broadcast_to(np.asarray(width, dtype=float), (n,))
    y = np.where(t < w, 1.0, -1.0)
    y += _blep(t, dt)
    y -= _blep((t + 1.0 - w) % 1.0, dt)
    # remove the DC offset that a non-50% duty cycle carries
    return y - (2.0 * w - 1.0)


def sine(freq, n, sr=SR, phase0=0.0):
    t, _ = _phase(freq, n, sr, phase0)
    return np.sin(2.0 * np.pi * t)


def triangle(freq, n, sr=SR, phase0=0.0):
    # additive (odd harmonics, 1/k^2) limited below Nyquist: soft and clean
    f = np.broadcast_to(np.asarray(freq, dtype=float), (n,))
    t, _ = _phase(f, n, sr, phase0)
    y = np.zeros(n)
    fmax = float(np.max(f))
    k = 1
    sign = 1.0
    while k * fmax < sr * 0.45 and k <= 15:
        y += sign * np.sin(2.0 * np.pi * k * t) / (k * k)
        sign = -sign
        k += 2
    return y * (8.0 / np.pi ** 2)


# ---------------------------------------------------------------------------
# envelopes

def adsr(gate, a, d, s, r, sr=SR):
    """Envelope of gate + release samples. Times in seconds."""
    gate = int(gate)
    na, nd, nr = max(1, int(a * sr)), max(1, int(d * sr)), max(1, int(r * sr))
    env = np.full(gate + nr, float(s))
    seg = np.arange(gate + nr, dtype=float)
    att = seg < na
    env[att] = seg[att] / na
    dec = (seg >= na) & (seg < na + nd)
    x = (seg[dec] - na) / nd
    env[dec] = s + (1.0 - s) * (1.0 - x) ** 2
    if gate < na:                      # short gate: release from wherever we are
        level = gate / na
    elif gate < na + nd:
        level = s + (1.0 - s) * (1.0 - (gate - na) / nd) ** 2
    else:
        level = s
    x = np.arange(nr, dtype=float) / nr
    env[gate:] = level * (1.0 - x) ** 2
    return env


def fade(x, fin=0.0, fout=0.0, sr=SR):
    """Raised-cosine fades at both ends (in place copy)."""
    y = np.array(x, dtype=float, copy=True)
    for length, at_start in ((fin, True), (fout, False)):
        n = int(length * sr)
        if n <= 0:
            continue
        w = 0.5 - 0.5 * np.cos(np.pi * np.arange(n) / n)
        if y.ndim == 2:
            w = w[:, None]
        if at_start:
            y[:n] *= w
        else:
            y[-n:] *= w[::-1]
    if y.ndim == 1:
        y[0] = 0.0
        y[-1] = 0.0
    else:
        y[0, :] = 0.0
        y[-1, :] = 0.0
    return y


# ---------------------------------------------------------------------------
# filters

def fft_filter(x, response, sr=SR):
    """Zero-phase (circular) filtering with magnitude response(freqs)."""
    x = np.asarray(x, dtype=float)
    n = x.shape[0]
    f = np.fft.rfftfreq(n, 1.0 / sr)
    h = response(f)
    X = np.fft.rfft(x, axis=0)
    if x.ndim == 2:
        h = h[:, None]
    return np.fft.irfft(X * h, n=n, axis=0)


def lp_resp(fc, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (f / fc) ** (2 * order))


def hp_resp(fc, order=2):
    def r(f):
        ff = np.maximum(f, 1e-9)
        return 1.0 / np.sqrt(1.0 + (fc / ff) ** (2 * order))
    return r


def bp_resp(lo, hi, order=2):
    l, h = hp_resp(lo, order), lp_resp(hi, order)
    return lambda f: l(f) * h(f)


def lowpass(x, fc, order=2, sr=SR):
    return fft_filter(x, lp_resp(fc, order), sr)


def highpass(x, fc, order=2, sr=SR):
    return fft_filter(x, hp_resp(fc, order), sr)


def bandpass(x, lo, hi, order=2, sr=SR):
    return fft_filter(x, bp_resp(lo, hi, order), sr)


def padded_filter(x, response, pad, sr=SR):
    """Non-circular filtering of a one-shot: pad with silence first."""
    x = np.asarray(x, dtype=float)
    shape = (pad,) + x.shape[1:]
    y = fft_filter(np.concatenate([x, np.zeros(shape)]), response, sr)
    return y[: x.shape[0]]


def svf_lowpass(x, fc, q=0.7, sr=SR):
    """Time-varying state-variable (TPT) low-pass for short one-shots."""
    fc = np.broadcast_to(np.asarray(fc, dtype=float), x.shape)
    g = np.tan(np.pi * np.clip(fc, 10.0, sr * 0.45) / sr)
    k = 1.0 / q
    a1 = 1.0 / (1.0 + g * (g + k))
    ic1 = ic2 = 0.0
    out = np.empty(len(x))
    xs = x.tolist()
    gs = g.tolist()
    a1s = a1.tolist()
    for i in range(len(xs)):
        gi = gs[i]
        v3 = xs[i] - ic2
        v1 = a1s[i] * (ic1 + gi * v3)
        v2 = ic2 + gi * v1
        ic1 = 2.0 * v1 - ic1
        ic2 = 2.0 * v2 - ic2
        out[i] = v2
    return out


def svf_bandpass(x, fc, q=2.0, sr=SR):
    fc = np.broadcast_to(np.asarray(fc, dtype=float), x.shape)
    g = np.tan(np.pi * np.clip(fc, 10.0, sr * 0.45) / sr)
    k = 1.0 / q
    a1 = 1.0 / (1.0 + g * (g + k))
    ic1 = ic2 = 0.0
    out = np.empty(len(x))
    xs = x.tolist()
    gs = g.tolist()
    a1s = a1.tolist()
    for i in range(len(xs)):
        gi = gs[i]
        v3 = xs[i] - ic2
        v1 = a1s[i] * (ic1 + gi * v3)
        v2 = ic2 + gi * v1
        ic1 = 2.0 * v1 - ic1
        ic2 = 2.0 * v2 - ic2
        out[i] = v1
    return out


# ---------------------------------------------------------------------------
# loop helpers (everything circular)

def fold(buf, n):
    """Wrap whatever spills past sample n back onto the start of the loop."""
    out = np.array(buf[:n], copy=True)
    tail = buf[n:]
    pos = 0
    while pos < tail.shape[0]:
        chunk = tail[pos:pos + n]
        out[: chunk.shape[0]] += chunk
        pos += n
    return out


def add_at(buf, sig, start):
    """Mix sig into buf at start; buf must be long enough (loop + tail)."""
    end = start + sig.shape[0]
    if end > buf.shape[0]:
        sig = sig[: buf.shape[0] - start]
        end = buf.shape[0]
    buf[start:end] += sig


def pan(mono, p):
    """Constant-power pan, p in [-1, 1]. Returns (n, 2)."""
    a = (p + 1.0) * np.pi / 4.0
    return np.stack([mono * np.cos(a), mono * np.sin(a)], axis=1)


def circ_delay(x, d):
    return np.roll(x, int(d), axis=0)


def pingpong(x, d, fb, n_taps=8, tone=None, sr=SR):
    """Circular stereo ping-pong echo of a stereo signal (wet only)."""
    mono = x.mean(axis=1)
    wet = np.zeros_like(x)
    sig = mono
    for k in range(1, n_taps + 1):
        sig = fb * np.roll(sig, int(d))
        if tone is not None:
            sig = lowpass(sig, tone, 1, sr)
        ch = (k + 1) % 2
        wet[:, ch] += sig
    return wet


def make_ir(seconds, rng, decay_lo=0.7, decay_hi=0.25, predelay=0.02,
            sr=SR):
    """Synthetic stereo reverb impulse response: decorrelated noise whose
    high band dies away faster than the low band."""
    n = int(seconds * sr)
    t = np.arange(n) / sr
    ir = np.zeros((n, 2))
    for ch in range(2):
        noise = rng.standard_normal(n)
        lo = lowpass(noise, 900.0, 2, sr)
        hi = noise - lo
        tail = lo * np.exp(-t / decay_lo) + hi * np.exp(-t / decay_hi)
        tail = lowpass(tail, 7000.0, 1, sr)
        ir[:, ch] = tail
    pd = int(predelay * sr)
    ir = np.concatenate([np.zeros((pd, 2)), ir])[:n]
    ramp = np.minimum(1.0, np.arange(n) / (0.03 * sr))
    ir *= ramp[:, None]
    ir[-int(0.1 * sr):] *= np.linspace(1, 0, int(0.1 * sr))[:, None]
    ir /= np.sqrt(np.sum(ir ** 2) / 2.0)
    return ir


def circ_convolve(x, ir):
    """Circular convolution of a stereo loop with a stereo IR."""
    n = x.shape[0]
    pad = np.zeros((n, 2))
    m = min(n, ir.shape[0])
    pad[:m] = ir[:m]
    X = np.fft.rfft(x, axis=0)
    H = np.fft.rfft(pad, axis=0)
    return np.fft.irfft(X * H, n=n, axis=0)


def circ_moving_average(x, w):
    n = x.shape[0]
    h = w // 2
    ext = np.concatenate([x[-h - 1:], x, x[: h + 1]])
    c = np.cumsum(ext)
    return (c[w:w + n] - c[:n]) / w


def limit(x, ceiling_db=-1.5, hold_blocks=16, block=64):
    """Look-ahead peak limiter for a stereo loop (circular, smooth gain)."""
    ceiling = undb(ceiling_db)
    n = x.shape[0]
    need = np.maximum(np.max(np.abs(x), axis=1) / ceiling, 1.0)
    nb = -(-n // block)
    padded = np.concatenate([need, need[: nb * block - n]])
    bmax = padded.reshape(nb, block).max(axis=1)
    held = bmax.copy()
    for k in range(1, hold_blocks + 1):
        held = np.maximum(held, np.roll(bmax, k))
        held = np.maximum(held, np.roll(bmax, -k))
    env = np.repeat(held, block)[:n]
    radius = (hold_blocks - 1) * block
    env = circ_moving_average(env, 2 * radius + 1)
    env = np.maximum(env, 1.0)
    y = x / env[:, None]
    return np.clip(y, -ceiling, ceiling)


def rms_db(x):
    return db(np.sqrt(np.mean(np.asarray(x, dtype=float) ** 2)))


def peak_db(x):
    return db(np.max(np.abs(x)))


# ---------------------------------------------------------------------------
# file output

def _wav_bytes(data, sr, bits):
    data = np.asarray(data, dtype=float)
    if data.ndim == 1:
        data = data[:, None]
    ch = data.shape[1]
    if bits == 8:
        q = np.clip(np.round(data * 127.0) + 128.0, 0, 255).astype(np.uint8)
    elif bits == 16:
        q = np.clip(np.round(data * 32767.0), -32768, 32767).astype('<i2')
    else:
        raise ValueError(bits)
    payload = q.reshape(-1).tobytes()
    block_align = ch * bits // 8
    fmt = struct.pack('<HHIIHH', 1, ch, sr, sr * block_align, block_align,
                      bits)
    hdr = b'RIFF' + struct.pack('<I', 4 + 8 + len(fmt) + 8 + len(payload))
    hdr += b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt
    hdr += b'data' + struct.pack('<I', len(payload))
    if len(payload) % 2:
        # keep the file free of a RIFF pad byte: callers use even lengths
        raise ValueError('odd data chunk size; use an even sample count')
    return hdr + payload


def write_wav(path, data, sr=SR, bits=16):
    with open(path, 'wb') as f:
        f.write(_wav_bytes(data, sr, bits))


def dither16(x, rng):
    """TPDF dither to 16 bits (deterministic with the given generator)."""
    lsb = 1.0 / 32767.0
    d = (rng.random(x.shape) - rng.random(x.shape)) * lsb
    return np.round((x + d) * 32767.0) / 32767.0


def write_ogg(path, data, serial, quality=3, sr=SR):
    """Encode a float stereo loop to Ogg Vorbis with a fixed stream serial."""
    fd, tmp = tempfile.mkstemp(suffix='.wav')
    os.close(fd)
    try:
        write_wav(tmp, data, sr, 16)
        subprocess.run(['oggenc', '-Q', '-q', str(quality), '-s', str(serial),
                        '-o', path, tmp], check=True)
    finally:
        os.unlink(tmp)
