#!/usr/bin/env python3
"""Writes the program's own sounds into data/Sounds: 16-bit PCM mono WAV files at 22050 Hz.

Every note has a smooth envelope that starts and ends at zero, so no sound clicks. The output is
the same on every run: run it again only after changing a sound.
"""

import math
import pathlib
import struct
import sys
import wave

RATE = 22050
PEAK = 0.6  # of full scale: loud enough, with room for the harmonics


def envelope(t, length, attack, release):
    """Raised-cosine attack and release around a flat middle: 0 at both ends, 1 inside."""
    if t < attack:
        return 0.5 - 0.5 * math.cos(math.pi * t / attack)
    if t > length - release:
        return 0.5 - 0.5 * math.cos(math.pi * (length - t) / release)
    return 1.0


def chirp(start_hz, end_hz, length):
    """A bright sweep from start_hz to end_hz; the phase is integrated so the sweep stays smooth."""
    samples, phase = [], 0.0
    for i in range(int(length * RATE)):
        t = i / RATE
        frequency = start_hz + (end_hz - start_hz) * t / length
        phase += 2 * math.pi * frequency / RATE
        tone = math.sin(phase) + 0.3 * math.sin(2 * phase)
        samples.append(tone / 1.3 * envelope(t, length, 0.008, 0.03))
    return samples


def chime(frequency, length, decay):
    """A struck note: a quick attack, then an exponential decay with a soft fifth harmonic above it."""
    samples = []
    for i in range(int(length * RATE)):
        t = i / RATE
        phase = 2 * math.pi * frequency * t
        tone = math.sin(phase) + 0.25 * math.sin(2 * phase) + 0.1 * math.sin(3 * phase)
        samples.append(tone / 1.35 * math.exp(-t / decay) * envelope(t, length, 0.005, 0.04))
    return samples


def mix(notes, length):
    """Lays each (start time, samples) note into one track of the given length."""
    track = [0.0] * int(length * RATE)
    for start, samples in notes:
        offset = int(start * RATE)
        for i, sample in enumerate(samples):
            track[offset + i] += sample
    return track


def write_wav(path, track):
    frames = b"".join(struct.pack("<h", round(max(-1.0, min(1.0, s)) * PEAK * 32767)) for s in track)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def sounds():
    new_dx = mix([(0.0, chirp(1800, 2600, 0.12)), (0.16, chirp(1800, 2600, 0.12))], 0.3)
    # C6, E6, G6: each note rings on under the next one.
    success = mix([(0.0, chime(1046.5, 0.3, 0.12)), (0.15, chime(1318.5, 0.3, 0.12)),
                   (0.3, chime(1568.0, 0.3, 0.14))], 0.6)
    # G4 down to D4, longer and darker than the chime.
    failure = mix([(0.0, chime(392.0, 0.3, 0.2)), (0.28, chime(293.7, 0.32, 0.22))], 0.6)
    return {"NewDX.wav": new_dx, "success.wav": success, "failure.wav": failure}


def main():
    default_folder = pathlib.Path(__file__).resolve().parent.parent / "data" / "Sounds"
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default_folder
    folder.mkdir(parents=True, exist_ok=True)
    for name, track in sounds().items():
        write_wav(folder / name, track)
        print(folder / name)


if __name__ == "__main__":
    main()
