#!/usr/bin/env python3
"""Makes labels-table.txt: tick labels as gfortran writes them, the reference the label
formatting is tested against.

Usage (from this folder): python3 make-labels-table.py
It compiles labels.f90 with gfortran, feeds it the values chosen below and keeps, for each
value, (f8.0), (g8.2) and three of the general formats (D = 3 to 16 in turn), so that the
table stays small while every format is checked against hundreds of values.
"""
import math
import random
import struct
import subprocess
import tempfile
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def bits(value):
    return "%016X" % struct.unpack("<Q", struct.pack("<d", value))[0]


def values():
    chosen = [0.0, -0.0, math.inf, -math.inf, math.nan, 5e-324, -5e-324, 2.2250738585072014e-308,
              1.7976931348623157e308, -1.7976931348623157e308]
    # Exact binary ties at the rounding digit of every format.
    for k in range(-20, 21):
        chosen.append(k + 0.5)
    for numerator in (1, 3, 5, 7, 9, 11, 13, 15, 25, 125, 375, 625, 1125, 9995, 99995):
        for power in range(0, 24, 3):
            chosen.append(numerator / 2.0**power)
            chosen.append(-numerator * 2.0**power)
    # Around the limits where the general format changes between fixed and exponent form,
    # and where the fixed form changes its digit count.
    for digits in range(2, 17):
        for exponent in range(-3, digits + 3):
            for edge in (10.0**exponent, 10.0**exponent * (1 - 0.5 * 10.0**-digits)):
                below = math.nextafter(edge, 0.0)
                above = math.nextafter(edge, math.inf)
                chosen.extend((below, edge, above, -edge))
    # Tick positions as the plotter computes them: crossing plus a multiple of the step.
    for power in range(-20, 21):
        for step in (10.0**power, 5 * 10.0**power):
            for multiple in range(-15, 16, 2):
                chosen.append(multiple * step)
            chosen.append(1000 + 3 * step)
    # The whole-number field: rounding ties and the eight-column limit.
    for value in (9999999.5, 9999999.49, 99999999.0, 1e7, 1234567.5, 0.49999999999999994, 1e8,
                  9999999.4999):
        chosen.append(value)
        chosen.append(-value)
    generator = random.Random(20240611)
    while len(chosen) < 2600:
        if generator.random() < 0.3:
            pattern = generator.getrandbits(64)
            chosen.append(struct.unpack("<d", struct.pack("<Q", pattern))[0])
        else:
            exponent = generator.uniform(-30, 30) if generator.random() < 0.8 else generator.uniform(-320, 308)
            mantissa = generator.uniform(1, 10)
            chosen.append(generator.choice((1, -1)) * mantissa * 10.0**exponent)
    return chosen


def main():
    with tempfile.TemporaryDirectory() as folder:
        program = os.path.join(folder, "labels")
        subprocess.run(["gfortran", "-O0", os.path.join(HERE, "labels.f90"), "-o", program],
                       check=True)
        seen = []
        for value in values():
            pattern = bits(value)
            if pattern not in seen:
                seen.append(pattern)
        output = subprocess.run([program], input="".join(p + "\n" for p in seen), text=True,
                                capture_output=True, check=True).stdout
    lines = []
    for index, line in enumerate(output.splitlines()):
        fields = line.split("|")
        kept = fields[0:3]  # pattern, (f8.0), (g8.2)
        for turn in range(3):
            kept.append(fields[3 + (index * 3 + turn) % 14])
        lines.append("|".join(kept))
    with open(os.path.join(HERE, "labels-table.txt"), "w") as table:
        table.write("\n".join(lines) + "\n")
    print("%d values written" % len(lines))


if __name__ == "__main__":
    main()
