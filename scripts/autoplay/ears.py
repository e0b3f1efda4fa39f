"""The automated player's ears: what the game's audio (raw S16LE stereo at 44,100 Hz, as SDL's disk
device writes it) holds from byte FROM on.
  ears.py FILE onset FROM SECONDS  bytes from FROM to the first 5 ms louder than -50 dBFS within
                                   SECONDS, or "none"
  ears.py FILE level FROM SECONDS  the level of those SECONDS (RMS of both sides, 0 for silence)
  ears.py FILE tone FROM SECONDS   the pitch of their strongest partial and the share of their
                                   energy above 1.5 kHz in percent: "HERTZ SHARE"
"""
import cmath
import math
import struct
import sys

RATE = 44100
FRAME_BYTES = 4


def frames(path, start, seconds):
    """The mono mix of up to SECONDS of sound from byte START (a whole frame)."""
    start -= start % FRAME_BYTES
    with open(path, 'rb') as audio:
        audio.seek(start)
        data = audio.read(int(seconds * RATE) * FRAME_BYTES)
    samples = struct.unpack('<%dh' % (len(data) // 2), data[:len(data) // 4 * 4])
    return [(samples[i] + samples[i + 1]) / 2 for i in range(0, len(samples), 2)]


def rms(values):
    return math.sqrt(sum(v * v for v in values) / len(values)) if values else 0.0


def onset(values):
    window = RATE // 200
    for at in range(0, len(values) - window + 1, window):
        if rms(values[at:at + window]) > 32768 * 10 ** (-50 / 20):
            return str(at * FRAME_BYTES)
    return 'none'


def fft(values):
    """Radix-2 transform of a list whose length is a power of two."""
    n = len(values)
    out = [complex(v) for v in values]
    j = 0
    for i in range(1, n):
        bit = n >> 1
        while j & bit:
            j ^= bit
            bit >>= 1
        j |= bit
        if i < j:
            out[i], out[j] = out[j], out[i]
    size = 2
    while size <= n:
        turn = cmath.exp(-2j * math.pi / size)
        for begin in range(0, n, size):
            w = 1
            for k in range(begin, begin + size // 2):
                odd = out[k + size // 2] * w
                out[k + size // 2] = out[k] - odd
                out[k] += odd
                w *= turn
        size *= 2
    return out


def tone(values):
    n = 8192
    values = (values + [0.0] * n)[:n]
    windowed = [v * (0.5 - 0.5 * math.cos(2 * math.pi * i / n)) for i, v in enumerate(values)]
    power = [abs(c) ** 2 for c in fft(windowed)[:n // 2]]
    hertz = RATE / n
    strongest = max(range(2, len(power)), key=lambda k: power[k])
    high = sum(power[int(1500 / hertz):]) / (sum(power) or 1.0)
    return '%d %d' % (round(strongest * hertz), round(100 * high))


def main():
    path, what, start, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4])
    values = frames(path, start, seconds)
    print({'onset': onset, 'level': lambda v: int(rms(v)), 'tone': tone}[what](values))


main()
