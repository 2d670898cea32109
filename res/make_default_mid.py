#!/usr/bin/env python3
"""Writes default.mid, the background music played during runs: a calm 12-bar loop in C major
(flute melody, electric-piano arpeggios, strings, bass and soft brushes) of about 26 seconds.

Standard library only, so the file can be rebuilt anywhere:  python3 res/make_default_mid.py
The output is deterministic; the result is committed as res/default.mid.
"""
import os
import struct
import sys

TICKS = 480            # ticks per quarter note
EIGHTH = TICKS // 2
BAR = TICKS * 4
TEMPO_BPM = 112

# Chord of each bar: (bass root, chord tones for arpeggio and pad), as MIDI note numbers.
C, G, AM, EM, F = (48, [60, 64, 67]), (43, [59, 62, 67]), (45, [57, 60, 64]), (40, [55, 59, 64]), (41, [57, 60, 65])
PROGRESSION = [C, G, AM, EM, F, C, F, G, C, G, (F, G), C]

# Melody: (note or None for a rest, length in eighths); each bar holds eight eighths.
MELODY = [
    [(76, 2), (74, 1), (76, 1), (79, 2), (76, 2)],
    [(74, 2), (71, 1), (74, 1), (79, 4)],
    [(72, 2), (76, 1), (81, 1), (79, 2), (76, 2)],
    [(79, 3), (76, 1), (71, 4)],
    [(69, 2), (72, 1), (77, 1), (81, 2), (79, 1), (77, 1)],
    [(76, 2), (79, 2), (72, 4)],
    [(77, 2), (81, 2), (84, 2), (81, 2)],
    [(79, 3), (77, 1), (74, 4)],
    [(76, 1), (79, 1), (84, 2), (83, 1), (81, 1), (79, 2)],
    [(74, 2), (79, 2), (71, 2), (74, 2)],
    [(81, 2), (77, 2), (79, 2), (74, 2)],
    [(72, 6), (None, 2)],
]

# Channels and General MIDI programs.
MELODY_CH, PIANO_CH, STRINGS_CH, BASS_CH, DRUM_CH = 0, 1, 2, 3, 9
FLUTE, E_PIANO, STRINGS, ACOUSTIC_BASS = 73, 4, 48, 32
KICK, SIDE_STICK, CLOSED_HAT = 36, 37, 42


def vlq(value):
    """A MIDI variable-length quantity."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append((value & 0x7F) | 0x80)
        value >>= 7
    return bytes(reversed(out))


def track_chunk(events):
    """events: (absolute tick, order, message bytes); sorted so that note-offs precede note-ons
    at the same tick, then written with delta times and an end-of-track event."""
    data = bytearray()
    now = 0
    for tick, _, message in sorted(events, key=lambda e: (e[0], e[1])):
        data += vlq(tick - now) + message
        now = tick
    data += vlq(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def note(events, channel, start, length, pitch, velocity):
    events.append((start, 1, bytes([0x90 | channel, pitch, velocity])))
    events.append((start + length, 0, bytes([0x80 | channel, pitch, 0])))


def setup(channel, program, volume, reverb):
    return [
        (0, 0, bytes([0xC0 | channel, program])),
        (0, 0, bytes([0xB0 | channel, 7, volume])),
        (0, 0, bytes([0xB0 | channel, 91, reverb])),
    ]


def bar_chords(bar):
    """One chord per bar, or two (half a bar each) for a pair."""
    chord = PROGRESSION[bar]
    return [chord] if isinstance(chord[1], list) else list(chord)


def conductor_track():
    tempo = 60_000_000 // TEMPO_BPM
    return [
        (0, 0, b"\xff\x03\x0cdefault loop"),
        (0, 0, b"\xff\x58\x04\x04\x02\x18\x08"),  # 4/4
        (0, 0, b"\xff\x51\x03" + tempo.to_bytes(3, "big")),
    ]


def melody_track():
    events = setup(MELODY_CH, FLUTE, 96, 60)
    for bar, notes in enumerate(MELODY):
        tick = bar * BAR
        for pitch, eighths in notes:
            length = eighths * EIGHTH
            if pitch is not None:
                note(events, MELODY_CH, tick, length - 20, pitch, 84)
            tick += length
        assert tick == (bar + 1) * BAR, f"bar {bar + 1} of the melody does not fill the bar"
    return events


def piano_track():
    events = setup(PIANO_CH, E_PIANO, 80, 50)
    for bar in range(len(PROGRESSION)):
        chords = bar_chords(bar)
        steps = 8 // len(chords)
        for half, (_, tones) in enumerate(chords):
            pattern = [tones[0], tones[2], tones[1], tones[2] + 12, tones[1] + 12, tones[2], tones[1], tones[2]]
            for step in range(steps):
                start = bar * BAR + (half * steps + step) * EIGHTH
                note(events, PIANO_CH, start, EIGHTH - 10, pattern[step], 60 if step % 2 else 68)
    return events


def strings_track():
    events = setup(STRINGS_CH, STRINGS, 64, 80)
    for bar in range(len(PROGRESSION)):
        chords = bar_chords(bar)
        length = BAR // len(chords)
        for half, (_, tones) in enumerate(chords):
            for pitch in tones:
                note(events, STRINGS_CH, bar * BAR + half * length, length - 10, pitch, 46)
    return events


def bass_track():
    events = setup(BASS_CH, ACOUSTIC_BASS, 100, 30)
    for bar in range(len(PROGRESSION)):
        chords = bar_chords(bar)
        if len(chords) == 1:
            root = chords[0][0]
            plan = [(root, 0, 3), (root + 7, 3, 1), (root, 4, 2), (root + 12, 6, 2)]
        else:
            plan = [(chords[0][0], 0, 4), (chords[1][0], 4, 4)]
        for pitch, at, eighths in plan:
            note(events, BASS_CH, bar * BAR + at * EIGHTH, eighths * EIGHTH - 30, pitch, 90)
    return events


def drum_track():
    events = [(0, 0, bytes([0xB0 | DRUM_CH, 7, 70]))]
    last = len(PROGRESSION) - 1
    for bar in range(len(PROGRESSION)):
        for step in range(8):
            start = bar * BAR + step * EIGHTH
            if bar == last and step >= 6:
                continue  # a breath before the loop starts again
            note(events, DRUM_CH, start, 60, CLOSED_HAT, 44 if step % 2 else 56)
            if step in (0, 4):
                note(events, DRUM_CH, start, 60, KICK, 72)
            if step in (2, 6):
                note(events, DRUM_CH, start, 60, SIDE_STICK, 48)
    return events


def build():
    tracks = [conductor_track(), melody_track(), piano_track(), strings_track(), bass_track(), drum_track()]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS)
    return header + b"".join(track_chunk(t) for t in tracks)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "default.mid")
    with open(target, "wb") as out:
        out.write(build())
    seconds = len(PROGRESSION) * 4 * 60 / TEMPO_BPM
    print(f"{target}: {len(PROGRESSION)} bars, {seconds:.1f} s")


if __name__ == "__main__":
    main()
