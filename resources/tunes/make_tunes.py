#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Write tune1.mid (The Internationale) and tune2.mid (东方红) from the note tables beside this script.

    python3 make_tunes.py [--out DIR]

The notes live in text tables: the melodies in internationale.txt and dongfanghong.txt, our own
introductions, bass lines, codas and chord changes in *_arrangement.txt.  This script only decides
who plays which table, how loud, and at what tempo.  It uses the standard library alone and has no
randomness, so unchanged tables always give byte-identical files.  The build embeds the .mid files;
it does not run this script.
"""
import argparse
import itertools
import os
import re
import struct
import sys
from fractions import Fraction

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------------------------
# Tables

PITCH = re.compile(r"^([A-G])(##|bb|#|b)?(-?\d)$")
NOTE = re.compile(r"^(R|[A-G](?:##|bb|#|b)?-?\d):(\d+(?:\.\d+)?|\d+/\d+)(~?)$")
CHORD = re.compile(r"^(?:N\.C\.|([A-G][#b]?)(m|maj7|m7|7|dim|aug|sus4|sus2|6|m6|9)?(?:/([A-G][#b]?))?)"
                   r"@(\d+(?:\.\d+)?)$")
COMMENT = re.compile(r"(?:^|(?<=\s))#")  # '#' opens a comment only at line start or after a blank
SECTION = re.compile(r"^==\s*(.+?)\s*==$")
STEP = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
ALTER = {None: 0, "": 0, "#": 1, "##": 2, "b": -1, "bb": -2}
QUALITY = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10), "maj7": (0, 4, 7, 11),
           "dim": (0, 3, 6), "aug": (0, 4, 8), "sus4": (0, 5, 7), "sus2": (0, 2, 7), "6": (0, 4, 7, 9),
           "m6": (0, 3, 7, 9), "9": (0, 4, 7, 10, 2)}


class TableError(Exception):
    pass


def midi_number(name):
    m = PITCH.match(name)
    return 12 * (int(m.group(3)) + 1) + STEP[m.group(1)] + ALTER[m.group(2)]


def pitch_class(name):
    return (STEP[name[0]] + ALTER[name[1:]]) % 12


class Chord:
    """A chord symbol as pitch classes; the root first, the slash bass (if any) kept apart."""

    def __init__(self, symbol):
        m = CHORD.match(symbol + "@0")
        if not m:
            raise TableError(f"bad chord {symbol!r}")
        self.symbol = symbol
        self.root = pitch_class(m.group(1))
        self.tones = [(self.root + i) % 12 for i in QUALITY[m.group(2) or ""]]
        self.bass = pitch_class(m.group(3)) if m.group(3) else self.root

    def __eq__(self, other):
        return isinstance(other, Chord) and self.symbol == other.symbol


class Bar:
    def __init__(self, num, notes, chords, where):
        self.num, self.notes, self.chords, self.where = num, notes, chords, where
        self.length = sum(d for _, d, _ in notes)


class Table:
    """One note table: bars numbered from 00 (a pickup) or 01, each 'notes | chords'."""

    def __init__(self, name, bar_length, pickup, final, bars):
        self.name, self.bar_length, self.pickup, self.final = name, bar_length, pickup, final
        self.bars = {b.num: b for b in bars}
        self.numbers = [b.num for b in bars]
        first = 0 if pickup else 1
        if self.numbers != list(range(first, first + len(bars))):
            raise TableError(f"{name}: bar numbers {self.numbers} do not run from {first:02d}")
        for b in bars:
            want = pickup if b.num == 0 else final if b.num == self.numbers[-1] else bar_length
            if b.length != want:
                raise TableError(f"{b.where}: bar {b.num:02d} lasts {b.length} quarters, expected {want}")


def parse_tables(path, default_name):
    """Read a table file; a file without '== name ==' lines is one table called default_name."""
    fields, sections, current = {}, [], None
    for lineno, raw in enumerate(open(path, encoding="utf-8"), 1):
        line = COMMENT.split(raw, 1)[0].strip()
        where = f"{os.path.basename(path)}:{lineno}"
        if not line:
            continue
        m = SECTION.match(line)
        if m:
            current = {"name": m.group(1), "fields": {}, "bars": []}
            sections.append(current)
            continue
        if line.startswith("@"):
            key, _, value = line[1:].partition(":")
            (current["fields"] if current else fields)[key.strip()] = value.strip()
            continue
        label, notes, chords = (p.strip() for p in (line.split("|") + ["", ""])[:3])
        if label.startswith("alt "):
            continue  # alternative readings are documented, not played
        if not label.isdigit() or line.count("|") != 2:
            raise TableError(f"{where}: expected 'NN | notes | chords'")
        parsed = []
        for tok in notes.split():
            n = NOTE.match(tok)
            if not n:
                raise TableError(f"{where}: bad note {tok!r}")
            pitch = None if n.group(1) == "R" else midi_number(n.group(1))
            if pitch is None and n.group(3):
                raise TableError(f"{where}: a rest cannot be tied")
            parsed.append((pitch, Fraction(n.group(2)), bool(n.group(3))))
        chord_list = None
        if chords != "-":
            chord_list = []
            for tok in chords.split():
                c = CHORD.match(tok)
                if not c:
                    raise TableError(f"{where}: bad chord {tok!r}")
                symbol, at = tok.rsplit("@", 1)
                chord_list.append((Fraction(at), None if symbol == "N.C." else Chord(symbol)))
        if current is None:
            current = {"name": default_name, "fields": {}, "bars": []}
            sections.append(current)
        current["bars"].append(Bar(int(label), parsed, chord_list, where))

    tables = {}
    for sec in sections:
        f = dict(fields, **sec["fields"])
        num, den = (int(x) for x in f["meter"].split("/"))
        bar_length = Fraction(4 * num, den)
        tables[sec["name"]] = Table(sec["name"], bar_length, Fraction(f.get("pickup", "0")),
                                    Fraction(f.get("final_bar", str(bar_length))), sec["bars"])
    return fields, tables


# ---------------------------------------------------------------------------------------------
# Passages and tunes (all times in quarter notes)

class Passage:
    """A melody table and its bass table played through in one order of bars, from time `start`."""

    def __init__(self, melody, bass, order=None):
        self.order = order or melody.numbers
        if bass.numbers != melody.numbers:
            raise TableError(f"{bass.name}: bars {bass.numbers} differ from {melody.name}")
        for n in melody.numbers:
            if bass.bars[n].length != melody.bars[n].length:
                raise TableError(f"{bass.bars[n].where}: bar {n:02d} differs in length from {melody.name}")
        self.melody, self.bass = melody, bass
        self.pickup = melody.bars[self.order[0]].length if self.order[0] == 0 else Fraction(0)
        self.length = sum(melody.bars[n].length for n in self.order)

    def bar_starts(self, start):
        t = start
        for n in self.order:
            yield n, t
            t += self.melody.bars[n].length

    def notes(self, table, start):
        """(onset, duration, pitch) with ties merged, in playing order."""
        out, tied = [], False
        for n, t in self.bar_starts(start):
            for pitch, dur, tie in table.bars[n].notes:
                if tied:
                    if out[-1][2] != pitch:
                        raise TableError(f"{table.bars[n].where}: tie into a different pitch")
                    out[-1] = (out[-1][0], out[-1][1] + dur, pitch)
                elif pitch is not None:
                    out.append((t, dur, pitch))
                tied = tie
                t += dur
        if tied:
            raise TableError(f"{table.name}: the last note is tied into nothing")
        return out

    def chords(self, start):
        """(onset, Chord or None); the bass table's chord column wins over the melody table's."""
        out = []
        for n, t in self.bar_starts(start):
            changes = self.bass.bars[n].chords or self.melody.bars[n].chords
            if changes is None:
                raise TableError(f"{self.melody.bars[n].where}: no chords for bar {n:02d}")
            out.extend((t + at, chord) for at, chord in changes)
        return out


class Tune:
    def __init__(self, title, meter, key, division, tail):
        self.title, self.division, self.tail = title, division, tail
        self.meter = meter                      # (numerator, denominator)
        self.bar_length = Fraction(4 * meter[0], meter[1])
        self.key = key                          # (sharps or -flats, minor?)
        self.length = Fraction(0)
        self.melody, self.bass, self.chords = [], [], []
        self.sections, self.tempi, self.places = [], [], {}

    def play(self, name, passage, section=None):
        """Append a passage; `section` names the stretch it opens, for markers and dynamics."""
        start = self.length
        if (start + passage.pickup) % self.bar_length:
            raise TableError(f"{name}: does not fall on the bar lines")
        self.places[name] = (passage, start)
        self.melody += passage.notes(passage.melody, start)
        self.bass += passage.notes(passage.bass, start)
        self.chords += passage.chords(start)
        if section:
            self.section(section, start)
        self.length += passage.length

    def section(self, name, at):
        self.sections = sorted(self.sections + [(name, at)], key=lambda s: s[1])

    def at(self, name, bar, offset=0, time=0):
        """The time of `offset` quarters into bar `bar` of passage `name` (its `time`-th playing)."""
        passage, start = self.places[name]
        hits = [t for n, t in passage.bar_starts(start) if n == bar]
        return hits[time] + Fraction(offset)

    def section_of(self, t):
        name = None
        for sec, at in self.sections:
            if at <= t:
                name = sec
        return name

    def chord_spans(self):
        """(start, end, Chord) for every sounding chord, split where a section starts."""
        marks = sorted({at for _, at in self.sections})
        changes = []
        for t, chord in self.chords:
            if changes and changes[-1][0] == t:
                changes[-1] = (t, chord)
            elif not changes or changes[-1][1] != chord:
                changes.append((t, chord))
        spans = []
        for (t, chord), nxt in zip(changes, changes[1:] + [(self.length, None)]):
            if chord is None:
                continue
            cuts = [t] + [m for m in marks if t < m < nxt[0]] + [nxt[0]]
            spans += [(a, b, chord) for a, b in zip(cuts, cuts[1:])]
        return spans

    def chord_at(self, t):
        current = None
        for at, chord in self.chords:
            if at <= t:
                current = chord
        return current

    def seconds(self, t):
        total, (last_t, bpm) = Fraction(0), (Fraction(0), self.tempi[0][1])
        for at, tempo in self.tempi[1:]:
            if at >= t:
                break
            total += (at - last_t) * 60 / bpm
            last_t, bpm = at, tempo
        return float(total + (t - last_t) * 60 / bpm)


# ---------------------------------------------------------------------------------------------
# Parts: each turns the tune into notes (start, end, pitch, velocity) for one instrument

def level(levels, t, tune):
    return levels.get(tune.section_of(t))


def melody_part(transpose=0, accent=8):
    def make(tune, levels):
        out = []
        for t, dur, pitch in tune.melody:
            vel = level(levels, t, tune)
            if vel is None:
                continue
            if t % tune.bar_length == 0:
                vel += accent
            # a little air between notes, as a player breathes; long notes keep most of their length
            out.append((t, t + dur - min(Fraction(1, 8), dur / 6), pitch + transpose, vel))
        return out
    return make


def bass_part(transpose=0, pulse=None):
    """The bass table; with `pulse`, long notes are repeated every `pulse` quarters."""
    def make(tune, levels):
        out = []
        for t, dur, pitch in tune.bass:
            pieces = [(t, dur)]
            if pulse and dur > pulse:
                step = Fraction(pulse)
                pieces = [(t + k * step, min(step, dur - k * step)) for k in range(-int(-dur // step))]
            for s, length in pieces:
                vel = level(levels, s, tune)
                if vel is not None:
                    accent = 6 if s % tune.bar_length == 0 else 0
                    out.append((s, s + length * Fraction(9, 10), pitch + transpose, vel + accent))
        return out
    return make


def voicing(chord, voices, low, high, previous):
    """The chord's pitches in [low, high] within an octave, moving as little as possible from the
    previous chord.  Seventh chords leave out the fifth (room for the melody's leaning notes) and
    double only the root, keeping the fifth only where the range leaves no room for that; triads in
    four voices double the root, else the fifth, else the third."""
    tones = list(chord.tones)
    if len(tones) > 3:
        full, tones = tones, tones[:2] + tones[3:]
        spellings = [(0, (tones + [tones[0]])[:voices]), (10, full[:voices])]
    elif voices > len(tones):
        spellings = [(cost, tones + [tones[i]]) for cost, i in ((0, 0), (2, 2), (4, 1))]
    else:
        spellings = [(0, tones[:voices])]
    best, best_cost = None, None
    for penalty, spelling in spellings:
        choices = [[p for p in range(low, high + 1) if p % 12 == pc] for pc in spelling]
        for combo in itertools.product(*choices):
            pitches = sorted(combo)
            if len(set(pitches)) < len(pitches) or pitches[-1] - pitches[0] > 12:
                continue
            centre = abs(sum(pitches) / len(pitches) - (low + high) / 2)
            moved = sum(abs(a - b) for a, b in zip(pitches, previous)) if previous else 0
            cost = (moved + centre / 2 + penalty, pitches)
            if best_cost is None or cost < best_cost:
                best, best_cost = pitches, cost
    if best is None:
        raise TableError(f"no voicing of {chord.symbol} in {low}..{high}")
    return best


def pad_part(low, high, voices=4):
    """Sustained chords."""
    def make(tune, levels):
        out, previous = [], None
        for a, b, chord in tune.chord_spans():
            previous = voicing(chord, voices, low, high, previous)
            vel = level(levels, a, tune)
            if vel is not None:
                out += [(a, b - Fraction(1, 16), p, vel) for p in previous]
        return out
    return make


def afterbeat_part(low, high, beats, length=Fraction(1, 2), voices=3):
    """Short chords on the given beats of each bar (counted from 0): the march's 'pah'."""
    beats = [Fraction(b) for b in beats]

    def make(tune, levels):
        out, previous = [], None
        for a, b, chord in tune.chord_spans():
            previous = voicing(chord, voices, low, high, previous)
            vel = level(levels, a, tune)
            if vel is None:
                continue
            first_bar = a - a % tune.bar_length
            for bar in itertools.count(first_bar, tune.bar_length):
                if bar >= b:
                    break
                for beat in beats:
                    t = bar + beat
                    if a <= t < b:
                        out += [(t, min(t + length, b), p, vel) for p in previous]
        return out
    return make


def arpeggio_part(low, high, step=Fraction(1, 4), ring=Fraction(1)):
    """Broken chords rising and falling through [low, high], restarting at every chord change."""
    def make(tune, levels):
        out = []
        for a, b, chord in tune.chord_spans():
            vel = level(levels, a, tune)
            if vel is None:
                continue
            tones = [p for p in range(low, high + 1) if p % 12 in chord.tones]
            while tones[0] % 12 != chord.root:
                tones.pop(0)               # start on the root
            path = tones[:7] + tones[5:0:-1]
            t, i = a, 0
            while t < b:
                accent = 8 if t % tune.bar_length == 0 else 0
                out.append((t, min(t + ring, b), path[i % len(path)], vel + accent))
                t += step
                i += 1
        return out
    return make


def timpani_part(hits, rolls, low=41, high=52):
    """Strokes on the chord root at `hits` [(time, velocity)], rolls [(start, end, from, to)]."""
    def root(t, tune):
        chord = tune.chord_at(t)
        if chord is None:
            raise TableError(f"timpani at {t}: no chord to take the pitch from")
        return next(p for p in range(low, high + 1) if p % 12 == chord.root)

    def make(tune, levels):
        out = []
        for t, vel in hits:
            out.append((t, t + Fraction(1, 2), root(t, tune), vel))
        for a, b, v0, v1 in rolls:
            stroke = Fraction(1, 8)
            count = int((b - a) / stroke)
            for k in range(count):
                t = a + k * stroke
                out.append((t, t + stroke, root(a, tune), round(v0 + (v1 - v0) * k / max(1, count - 1))))
        return out
    return make


class Track:
    def __init__(self, name, channel, program, part, levels, volume=100, pan=64, reverb=40):
        if channel == 9:
            raise ValueError("channel 10 is the drum channel")
        self.name, self.channel, self.program = name, channel, program
        self.part, self.levels = part, levels
        self.volume, self.pan, self.reverb = volume, pan, reverb


# ---------------------------------------------------------------------------------------------
# Standard MIDI File writing

def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def chunk(kind, data):
    return kind + struct.pack(">I", len(data)) + data


def meta(kind, data):
    return bytes([0xFF, kind]) + vlq(len(data)) + data


def track_chunk(events, end):
    """events: (tick, order, bytes); ends with End of Track at tick `end`."""
    data, now = bytearray(), 0
    for tick, _, body in sorted(events, key=lambda e: (e[0], e[1])):
        data += vlq(tick - now) + body
        now = tick
    data += vlq(end - now) + meta(0x2F, b"")
    return chunk(b"MTrk", bytes(data))


def ticks(t, division):
    """A time that must fall exactly on a tick (onsets; note ends are rounded where they are made)."""
    value = t * division
    if value.denominator != 1:
        raise TableError(f"time {t} is not a whole number of ticks at division {division}")
    return int(value)


def note_events(notes, channel, division):
    """Note-on/note-off pairs; a note cut short where the same pitch is struck again."""
    by_pitch, events = {}, []
    for s, e, p, v in sorted(notes):
        if not (0 <= p <= 127):
            raise TableError(f"pitch {p} out of range")
        start = ticks(s, division)
        end = max(start + 1, round(e * division))
        by_pitch.setdefault(p, []).append([start, end, min(127, max(1, int(v)))])
    for p, group in by_pitch.items():
        kept = []
        for note in group:
            if kept and note[0] < kept[-1][1]:
                kept[-1][1] = note[0]
                if kept[-1][1] <= kept[-1][0]:
                    kept.pop()
            kept.append(note)
        for s, e, v in kept:
            events.append((s, 1, bytes([0x90 | channel, p, v])))
            events.append((e, 0, bytes([0x80 | channel, p, 64])))   # offs before ons at one tick
    return events


def write_smf(tune, tracks, path):
    d = tune.division
    notes = [track.part(tune, track.levels) for track in tracks]
    last = max(e for part in notes for _, e, _, _ in part)
    end = round((last + tune.tail) * d)

    conductor = [(0, 0, meta(0x03, tune.title.encode("ascii"))),
                 (0, 0, meta(0x02, b"Melody public domain; arranged for Qintara")),
                 (0, 0, meta(0x58, bytes([tune.meter[0], tune.meter[1].bit_length() - 1, 24, 8]))),
                 (0, 0, meta(0x59, struct.pack(">bB", tune.key[0], tune.key[1])))]
    for at, bpm in tune.tempi:
        conductor.append((ticks(at, d), 1, meta(0x51, struct.pack(">I", round(60_000_000 / bpm))[1:])))
    for name, at in tune.sections:
        conductor.append((ticks(at, d), 2, meta(0x06, name.encode("ascii"))))
    chunks = [track_chunk(conductor, end)]

    for track, part in zip(tracks, notes):
        c = track.channel
        setup = [meta(0x03, track.name.encode("ascii")),
                 bytes([0xC0 | c, track.program]),
                 bytes([0xB0 | c, 7, track.volume]),
                 bytes([0xB0 | c, 10, track.pan]),
                 bytes([0xB0 | c, 91, track.reverb])]
        events = [(0, -1, body) for body in setup] + note_events(part, c, d)
        chunks.append(track_chunk(events, end))

    header = chunk(b"MThd", struct.pack(">HHH", 1, len(chunks), d))
    data = header + b"".join(chunks)
    with open(path, "wb") as f:
        f.write(data)
    return len(data), tune.seconds(last + tune.tail), sum(len(p) for p in notes)


# ---------------------------------------------------------------------------------------------
# The two arrangements

def check_bass(tune, label):
    """The bass must sound a chord tone wherever the chord changes and on every downbeat."""
    problems = []
    for t, dur, pitch in tune.bass:
        chord = tune.chord_at(t)
        strong = t % (tune.bar_length / 2) == 0 or any(at == t for at, _ in tune.chords)
        if chord and strong and pitch % 12 not in chord.tones and pitch % 12 != chord.bass:
            problems.append(f"{label}: bass note {pitch} at quarter {t} is not in {chord.symbol}")
    if problems:
        raise TableError("\n".join(problems))


def internationale():
    _, melody = parse_tables(os.path.join(HERE, "internationale.txt"), "melody")
    _, arr = parse_tables(os.path.join(HERE, "internationale_arrangement.txt"), "")
    tune = Tune("The Internationale", (4, 4), (-2, 0), division=240, tail=Fraction(2))
    tune.play("intro", Passage(arr["intro"], arr["intro bass"]), "Introduction")
    tune.play("song", Passage(melody["melody"], arr["bass"]), "Verse")
    tune.play("coda", Passage(arr["coda"], arr["coda bass"]), "Coda")
    tune.section("Refrain", tune.at("song", 16, 3))
    tune.section("Refrain II", tune.at("song", 24, 3))
    # the last phrase broadens to the end
    tune.tempi = [(Fraction(0), 120), (tune.at("song", 29), 90)]
    check_bass(tune, "internationale")

    song = lambda bar, beat=0: tune.at("song", bar, beat)
    intro = lambda bar, beat=0: tune.at("intro", bar, beat)
    hits = [(intro(1), 96), (intro(5), 92), (song(1), 80), (song(17), 90), (song(21), 84),
            (song(25), 96), (song(27), 88), (song(28), 96), (song(29), 100), (song(31), 92),
            (song(31, 2), 92), (tune.at("coda", 1), 100), (tune.at("coda", 1, 2), 96)]
    rolls = [(intro(8), intro(8, 3), 46, 92), (song(32), song(32, 3), 56, 98),
             (tune.at("coda", 2), tune.at("coda", 2, 4), 64, 108)]

    # A march band: trumpet melody, doubled an octave up and down as the refrains grow; horns on
    # the afterbeats, sustained strings and brass, tuba and timpani.  Velocities by section.
    I, V, R, R2, C = "Introduction", "Verse", "Refrain", "Refrain II", "Coda"
    tracks = [
        Track("Trumpet (melody)", 0, 56, melody_part(),
              {I: 104, V: 96, R: 104, R2: 110, C: 112}, volume=127, pan=64),
        Track("Flute (melody 8va)", 1, 73, melody_part(transpose=12, accent=4),
              {R: 66, R2: 80, C: 84}, volume=90, pan=80),
        Track("Trombone (melody 8vb)", 2, 57, melody_part(transpose=-12, accent=4),
              {I: 84, R2: 86, C: 90}, volume=96, pan=50),
        Track("Horns (afterbeats)", 3, 60, afterbeat_part(53, 67, [1, 3]),
              {V: 58, R: 62, R2: 66}, volume=80, pan=76),
        Track("Strings (harmony)", 4, 48, pad_part(50, 69),
              {I: 54, V: 44, R: 50, R2: 56, C: 62}, volume=76, pan=44),
        Track("Brass (harmony)", 5, 61, pad_part(53, 67, 3),
              {I: 62, R2: 50, C: 66}, volume=76, pan=84),
        Track("Tuba (bass)", 6, 58, bass_part(),
              {I: 86, V: 78, R: 84, R2: 90, C: 92}, volume=96, pan=58),
        Track("Timpani", 7, 47, timpani_part(hits, rolls),
              {}, volume=90, pan=64),
    ]
    return tune, tracks


def dongfanghong():
    fields, melody = parse_tables(os.path.join(HERE, "dongfanghong.txt"), "melody")
    _, arr = parse_tables(os.path.join(HERE, "dongfanghong_arrangement.txt"), "")
    first, last = (int(x) for x in fields["optional_repeat"].split("-"))
    verse = Passage(melody["melody"], arr["bass"], melody["melody"].numbers + list(range(first, last + 1)))
    tune = Tune("Dong Fang Hong (The East Is Red)", (2, 4), (-1, 0), division=120, tail=Fraction(1))
    tune.play("intro", Passage(arr["intro"], arr["intro bass"]), "Introduction")
    for n in (1, 2, 3):
        tune.play(f"verse {n}", verse, f"Verse {n}")
    tune.play("coda", Passage(arr["coda"], arr["coda bass"]), "Coda")
    check_bass(tune, "dongfanghong")

    v = lambda n, bar, time=0: tune.at(f"verse {n}", bar, 0, time)
    tune.tempi = [(Fraction(0), 60), (tune.at("intro", 4), 56),
                  (v(1, 1), 63), (v(1, 16, 1), 58),
                  (v(2, 1), 66), (v(2, 16, 1), 60),
                  (v(3, 1), 58), (v(3, 13, 1), 55), (v(3, 15, 1), 50), (v(3, 16, 1), 46),
                  (tune.at("coda", 1), 44)]

    hits = [(v(3, b, k), vel) for b, k, vel in
            [(1, 0, 96), (5, 0, 90), (9, 0, 100), (13, 0, 94), (9, 1, 104), (13, 1, 100), (15, 1, 104)]]
    hits.append((tune.at("verse 3", 15, 1, 1), 100))
    rolls = [(v(3, 16, 1), tune.at("coda", 1), 70, 112), (tune.at("coda", 1), tune.at("coda", 2, 2), 84, 30)]

    # Three verses growing from a flute over harp, to strings and horns, to trumpet, choir and full
    # brass; the celesta's first motif opens and closes.  Velocities by section.
    I, V1, V2, V3, C = "Introduction", "Verse 1", "Verse 2", "Verse 3", "Coda"
    tracks = [
        Track("Celesta", 0, 8, melody_part(transpose=0, accent=4),
              {I: 112, C: 110}, volume=127, pan=70),
        Track("Flute (melody)", 1, 73, melody_part(transpose=12, accent=6),
              {V1: 96, V3: 80}, volume=104, pan=64),
        Track("Strings (melody)", 2, 48, melody_part(transpose=12, accent=6),
              {V2: 80}, volume=84, pan=60),
        Track("Cello (melody)", 3, 42, melody_part(transpose=0, accent=4),
              {V2: 70}, volume=92, pan=74),
        Track("Trumpet (melody)", 4, 56, melody_part(transpose=0, accent=6),
              {V3: 112}, volume=127, pan=64),
        Track("Choir (melody)", 5, 52, melody_part(transpose=0, accent=0),
              {V3: 96}, volume=110, pan=56),
        Track("Harp", 6, 46, arpeggio_part(41, 72),
              {I: 48, V1: 56, V2: 50}, volume=92, pan=40),
        Track("Strings (harmony)", 7, 49, pad_part(48, 67),
              {I: 40, V1: 44, V2: 52, V3: 64, C: 42}, volume=88, pan=84),
        Track("Horns (harmony)", 8, 60, pad_part(53, 67, 3),
              {V2: 54, V3: 66, C: 40}, volume=86, pan=76),
        Track("Trombones (harmony)", 10, 57, pad_part(45, 60, 3),
              {V3: 68, C: 40}, volume=86, pan=50),
        Track("Contrabass", 11, 43, bass_part(),
              {I: 56, V1: 60, V2: 64, V3: 78, C: 52}, volume=96, pan=58),
        Track("Pizzicato (bass)", 12, 45, bass_part(transpose=12, pulse=1),
              {V2: 70}, volume=90, pan=70),
        Track("Tuba (bass)", 13, 58, bass_part(),
              {V3: 80, C: 50}, volume=96, pan=60),
        Track("Timpani", 14, 47, timpani_part(hits, rolls),
              {}, volume=96, pan=64),
    ]
    return tune, tracks


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=HERE, help="folder for tune1.mid and tune2.mid")
    args = parser.parse_args(argv)
    try:
        for filename, build in (("tune1.mid", internationale), ("tune2.mid", dongfanghong)):
            tune, tracks = build()
            size, secs, count = write_smf(tune, tracks, os.path.join(args.out, filename))
            print(f"{filename}: {tune.title}: {size} bytes, {len(tracks) + 1} tracks, "
                  f"{count} notes, {secs:.1f} s")
    except TableError as exc:
        print(f"make_tunes: {exc}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
