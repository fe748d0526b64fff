"""Builds every exercise sound into data/wavs/ (22050 Hz, 16-bit mono PCM).

Usage: make_sounds.py REPO_ROOT

Everything is synthesised here from sines, filtered noise and envelopes (noise from fixed
seeds, so a rebuild gives the same files); the two spoken sounds come from espeak-ng's
German voice. Every sound is faded in and out and peaks well below full scale.
"""

import os
import subprocess
import sys
import tempfile
import wave

import numpy as np

RATE = 22050


def t_axis(seconds):
    return np.arange(int(seconds * RATE)) / RATE


def noise(seconds, seed):
    return np.random.default_rng(seed).uniform(-1.0, 1.0, int(seconds * RATE))


def lowpass(x, cutoff):
    """One-pole low-pass; cutoff may be a number or an array (Hz) of x's length."""
    cut = np.broadcast_to(np.asarray(cutoff, dtype=float), x.shape)
    a = 1.0 - np.exp(-2.0 * np.pi * cut / RATE)
    y = np.empty_like(x)
    acc = 0.0
    for i in range(len(x)):
        acc += a[i] * (x[i] - acc)
        y[i] = acc
    return y


def highpass(x, cutoff):
    return x - lowpass(x, cutoff)


def bandpass(x, low, high):
    return highpass(lowpass(x, high), low)


def decay(seconds, tau):
    return np.exp(-t_axis(seconds) / tau)


def sweep(seconds, f0, f1, curve=1.0):
    """Sine whose frequency glides from f0 to f1."""
    t = t_axis(seconds)
    freq = f0 + (f1 - f0) * (t / seconds) ** curve
    return np.sin(2 * np.pi * np.cumsum(freq) / RATE)


def tone(seconds, freq, partials=((1, 1.0),)):
    t = t_axis(seconds)
    return sum(a * np.sin(2 * np.pi * freq * k * t) for k, a in partials)


def bell(freq, seconds, tau=0.25):
    """A soft bell or marimba note: partials that die away at different speeds."""
    t = t_axis(seconds)
    s = (np.sin(2 * np.pi * freq * t) * np.exp(-t / tau) +
         0.35 * np.sin(2 * np.pi * freq * 2.0 * t) * np.exp(-t / (tau * 0.5)) +
         0.12 * np.sin(2 * np.pi * freq * 3.01 * t) * np.exp(-t / (tau * 0.25)))
    attack = np.minimum(1.0, t / 0.004)
    return s * attack


def place(total, parts):
    """Mixes (start seconds, signal) parts into one signal of total seconds."""
    out = np.zeros(int(total * RATE))
    for start, sig in parts:
        i = int(start * RATE)
        n = min(len(sig), len(out) - i)
        if n > 0:
            out[i:i + n] += sig[:n]
    return out


def note(name):
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = names[name[0]] + (int(name[-1]) - 4) * 12
    return 440.0 * 2 ** (semis / 12)


# --- the sounds --------------------------------------------------------------------------

def fehlerton():
    """A soft, low 'uh-oh': two falling tones."""
    parts = []
    for start, f0, f1 in ((0.0, 392, 370), (0.2, 311, 262)):
        n = sweep(0.24, f0, f1) + 0.25 * sweep(0.24, 2 * f0, 2 * f1)
        env = np.minimum(1, t_axis(0.24) / 0.02) * decay(0.24, 0.12)
        parts.append((start, n * env))
    return place(0.48, parts), -5


def vergleichfuellen():
    """Quickening marimba notes climbing up while the bars fill the boxes."""
    scale = ["C5", "D5", "E5", "G5", "A5", "C6", "D6", "E6", "G6", "A6", "C7"]
    parts = []
    t = 0.0
    gap = 0.15
    for name in scale:
        parts.append((t, bell(note(name), 0.3, 0.09)))
        t += gap
        gap *= 0.86
    return place(t + 0.3, parts), -4


def clap(seed, length=0.16):
    x = lowpass(bandpass(noise(length, seed), 700, 3000), 4500)
    env = np.zeros_like(x)
    t = t_axis(length)
    for start, k in ((0.0, 0.7), (0.007, 0.9), (0.013, 1.0)):
        env += k * np.where(t >= start, np.exp(-(t - start) / 0.012), 0)
    env += 0.25 * np.exp(-t / 0.05)
    return x * env


def klatsch():
    return clap(11), -3


def brennen():
    """A soft fire: a whoosh that flares up at once, then crackles away.

    The exercise may start it again every 200 ms while the copies before still play, so
    its weight lies at the start and the tail is quiet.
    """
    length = 1.8
    t = t_axis(length)
    env = np.minimum(1, t / 0.08) * np.exp(-np.maximum(0, t - 0.12) / 0.5)
    whoosh = lowpass(noise(length, 21), 400 + 1200 * env) * env
    rng = np.random.default_rng(22)
    crackles = []
    for _ in range(30):
        burst = highpass(noise(0.012, int(rng.integers(1 << 30))), 1500) * decay(0.012, 0.003)
        at = rng.uniform(0.03, length - 0.1)
        crackles.append((at, burst * rng.uniform(0.3, 0.9) * (0.35 + 0.65 * np.exp(-at / 0.8))))
    return 1.6 * whoosh + place(length, crackles), -8


def bumm():
    """A round, deep drum."""
    length = 0.9
    t = t_axis(length)
    body = sweep(length, 120, 42, 0.3) * np.exp(-t / 0.22)
    thump = lowpass(noise(length, 31), 400) * np.exp(-t / 0.03)
    return body + 0.8 * thump, -3


def tippton():
    """A short, light wood tick for every typed letter."""
    length = 0.045
    x = tone(length, 1760, ((1, 1.0), (2.3, 0.4))) * decay(length, 0.008)
    return x, -9


def step(freq, seed):
    length = 0.2
    t = t_axis(length)
    body = sweep(length, freq * 1.4, freq, 0.4) * np.exp(-t / 0.035)
    scuff = bandpass(noise(length, seed), 300, 2500) * np.exp(-t / 0.015)
    return body + 0.5 * scuff


def schritt():
    return step(140, 41), -5


def schritt2():
    return step(200, 42), -5


def wegmachen():
    """A quick eraser swish."""
    length = 0.22
    t = t_axis(length)
    swish = bandpass(noise(length, 51), 900, 4000) * np.sin(np.pi * t / length) ** 2
    blip = sweep(length, 700, 300) * np.exp(-t / 0.05) * 0.3
    return swish + blip, -7


def gebiss():
    """Quick scrubbing of a tooth brush; the exercise cuts it off after a stroke or two."""
    parts = []
    for k in range(4):
        length = 0.055
        t = t_axis(length)
        stroke = bandpass(noise(length, 61 + k), 2000, 7000) * np.sin(np.pi * t / length)
        parts.append((k * 0.06, stroke * (1.0 if k % 2 == 0 else 0.8)))
    return place(0.25, parts), -8


def zaehnefallen():
    """Broken teeth falling: a short whistle down with little clinks right away."""
    length = 0.5
    t = t_axis(0.3)
    whistle = sweep(0.3, 1400, 400, 0.8) * np.minimum(1, t / 0.02) * np.exp(-t / 0.2)
    parts = [(0.0, 0.45 * whistle)]
    rng = np.random.default_rng(71)
    for k in range(7):
        parts.append((0.05 + k * 0.045 + rng.uniform(0, 0.015),
                      bell(rng.uniform(2200, 3600), 0.12, 0.025) * rng.uniform(0.4, 0.8)))
    return place(length, parts), -6


def wegbeissen():
    """Chomp, chomp: two crunchy bites."""
    parts = []
    for k, start in enumerate((0.0, 0.2)):
        length = 0.18
        t = t_axis(length)
        grit = lowpass(noise(length, 81 + k), 1800)
        grit *= (0.6 + 0.4 * np.sign(np.sin(2 * np.pi * 55 * t))) * np.exp(-t / 0.05)
        thump = sweep(length, 160, 80) * np.exp(-t / 0.04)
        parts.append((start, grit + 0.8 * thump))
    return place(0.42, parts), -5


def plop(freq, seed, length=0.13):
    t = t_axis(length)
    return (sweep(length, freq * 1.5, freq, 0.5) * np.exp(-t / 0.03) +
            0.2 * lowpass(noise(length, seed), 800) * np.exp(-t / 0.01))


def schildkroeteschritt():
    return plop(150, 91), -7


def schildkroetelauf():
    """The turtle hurries: quick little steps."""
    parts = [(k * 0.085, plop(180 if k % 2 else 230, 92 + k, 0.08)) for k in range(13)]
    return place(13 * 0.085 + 0.1, parts), -6


def kontaktrichtig1():
    """The plug clicks in and a little spark answers."""
    click = highpass(noise(0.015, 101), 1200) * decay(0.015, 0.003)
    zap = sweep(0.2, 600, 1500, 0.5) * decay(0.2, 0.06)
    zap = np.tanh(2.0 * zap) * 0.5
    return place(0.26, [(0.0, click), (0.03, zap)]), -9


def kontaktrichtig2():
    """A bright two-note chime for a right connection."""
    parts = [(0.0, bell(note("E5"), 0.5, 0.2)), (0.12, bell(note("B5"), 0.55, 0.25)),
             (0.12, 0.4 * bell(note("E6"), 0.5, 0.2))]
    return place(0.7, parts), -4


def kontaktfalsch():
    """A soft, low buzz with a wobble: not this one."""
    length = 0.5
    t = t_axis(length)
    buzz = tone(length, 150, ((1, 1.0), (2, 0.5), (3, 0.33), (4, 0.25), (5, 0.2)))
    buzz = lowpass(buzz, 1200) * (0.75 + 0.25 * np.sin(2 * np.pi * 9 * t))
    env = np.minimum(1, t / 0.02) * np.minimum(1, (length - t) / 0.12)
    return buzz * env, -9


def beep1000():
    return tone(0.2, 1000), -14


def kontaktende():
    """A cheerful little tune at the end of a board."""
    melody = [("C5", 0.0), ("E5", 0.16), ("G5", 0.32), ("C6", 0.48), ("G5", 0.72),
              ("C6", 0.88)]
    parts = [(start, bell(note(n), 0.6, 0.22)) for n, start in melody]
    for n in ("C5", "E5", "G5"):
        parts.append((0.88, 0.45 * bell(note(n), 1.2, 0.45)))
    return place(2.1, parts), -4


def zerlegen():
    """A tiny snip."""
    length = 0.06
    x = sweep(length, 3000, 1400) * decay(length, 0.012)
    x += 0.4 * highpass(noise(length, 111), 3000) * decay(length, 0.004)
    return x, -9


def gefunden():
    return bell(note("E6"), 0.5, 0.18) + 0.5 * bell(note("B6"), 0.5, 0.12), -5


def baustelleok():
    """A quick, bright arpeggio: the brick fits."""
    parts = [(k * 0.08, bell(note(n), 0.5, 0.18)) for k, n in
             enumerate(["G5", "B5", "D6", "G6"])]
    return place(0.8, parts), -4


def schwellen():
    """A warm chord that swells up and sparkles."""
    length = 0.95
    t = t_axis(length)
    chord = sum(tone(length, note(n), ((1, 1.0), (2, 0.2))) for n in ("C5", "E5", "G5"))
    env = np.sin(np.pi * np.minimum(1, t / 0.55) / 2) ** 2 * np.exp(-np.maximum(0, t - 0.55) / 0.15)
    sparkle = place(length, [(0.45 + k * 0.06, 0.5 * bell(note(n), 0.3, 0.08))
                             for k, n in enumerate(["C6", "E6", "G6", "C7"])])
    return chord * env + sparkle, -4


def spoken(text, pitch, speed, seed_claps=None):
    """The German voice of espeak-ng, a little brighter and friendlier."""
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "voice.wav")
        subprocess.run(["espeak-ng", "-v", "de+f3", "-p", str(pitch), "-s", str(speed),
                        "-w", raw, text], check=True)
        with wave.open(raw, "rb") as w:
            assert w.getframerate() == RATE and w.getsampwidth() == 2
            data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2") / 32768.0
    data = highpass(data, 90)
    # Trim the silence espeak leaves around the words.
    loud = np.nonzero(np.abs(data) > 0.02)[0]
    data = data[max(0, loud[0] - 200):loud[-1] + 800]
    data = data / max(1e-9, np.max(np.abs(data)))
    if seed_claps is None:
        return data
    claps = [(k * 0.14 + (0.02 if k % 2 else 0), 0.6 * clap(seed_claps + k)) for k in range(8)]
    return place(len(data) / RATE + 1.3, [(0.0, data)] + [(len(data) / RATE + 0.05 + s, c)
                                                           for s, c in claps])


def wie_bitte():
    return spoken("Wie bitte?", 60, 150), -3


def bravo():
    return spoken("Bravo!", 70, 140, seed_claps=120), -3


SOUNDS = {
    "Fehlerton.wav": fehlerton, "vergleichfuellen.wav": vergleichfuellen,
    "klatsch.wav": klatsch, "brennen.wav": brennen, "wie bitte.wav": wie_bitte,
    "bumm.wav": bumm, "bravo.wav": bravo, "tippton.wav": tippton, "schritt.wav": schritt,
    "schritt2.wav": schritt2, "wegmachen.wav": wegmachen, "gebiss.wav": gebiss,
    "zaehnefallen.wav": zaehnefallen, "wegbeissen.wav": wegbeissen,
    "schildkroeteschritt.wav": schildkroeteschritt, "schildkroetelauf.wav": schildkroetelauf,
    "kontaktrichtig1.wav": kontaktrichtig1, "kontaktrichtig2.wav": kontaktrichtig2,
    "kontaktfalsch.wav": kontaktfalsch, "beep1000.wav": beep1000,
    "kontaktende.wav": kontaktende, "zerlegen.wav": zerlegen, "gefunden.wav": gefunden,
    "baustelleok.wav": baustelleok, "schwellen.wav": schwellen,
}


def finish(x, peak_db):
    """Removes any offset, fades both ends (no clicks) and scales to the peak level."""
    x = np.asarray(x, dtype=float)
    x = x - np.mean(x)
    fade_in = min(len(x) // 4, int(0.003 * RATE))
    fade_out = min(len(x) // 3, int(0.02 * RATE))
    x[:fade_in] *= np.linspace(0.0, 1.0, fade_in)
    x[len(x) - fade_out:] *= np.linspace(1.0, 0.0, fade_out)
    x[0] = x[-1] = 0.0
    x = x / max(1e-9, np.max(np.abs(x))) * 10 ** (peak_db / 20.0)
    return np.round(x * 32767).astype("<i2")


def write_wav(filename, samples):
    with wave.open(filename, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(samples.tobytes())


def build(root):
    out = os.path.join(root, "data", "wavs")
    os.makedirs(out, exist_ok=True)
    for name, make in SOUNDS.items():
        signal, peak_db = make()
        write_wav(os.path.join(out, name), finish(signal, peak_db))


if __name__ == "__main__":
    build(os.path.abspath(sys.argv[1]))
