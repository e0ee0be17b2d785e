#!/usr/bin/env python3
"""The headless server playing on a sound card, driven over a plain socket as a bench script
would; the card is ALSA's file plugin in a temporary HOME, so no sound hardware is needed.

    /usr/bin/python3 tests/pyvisa/sound_card_scpi_test.py --cli build/bin/korvaneawg-cli

Exits 77 (skipped) when the headless tool is missing.
"""

import argparse
import cmath
import math
import os
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest

SKIPPED = 77
RATE = 48000
CLI = None


def tone(samples, hz):
    """The complex amplitude of `hz` in whole periods of samples (one DFT bin)."""
    total = 0j
    step = -2j * math.pi * hz / RATE
    for i, value in enumerate(samples):
        total += value * cmath.exp(step * i)
    return total * 2 / len(samples)


class SoundCardServer(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.TemporaryDirectory()
        self.raw = os.path.join(self.home.name, "card.raw")
        with open(os.path.join(self.home.name, ".asoundrc"), "w") as rc:
            rc.write('pcm.!default {\n type file\n slave.pcm "null"\n file "%s"\n'
                     ' format "raw"\n}\n' % self.raw)
        env = dict(os.environ, HOME=self.home.name, KVDDS_AUDIO="default")
        env.pop("KVDDS_LIBRARY", None)
        self.process = subprocess.Popen([CLI, "serve", "--port", "0"], stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, env=env, text=True)
        self.banner = self.process.stdout.readline()
        port = int(self.banner.split(";")[0].rsplit(":", 1)[1])
        self.connection = socket.create_connection(("127.0.0.1", port), timeout=20)
        self.replies = self.connection.makefile("r")

    def tearDown(self):
        self.connection.close()
        if self.process.poll() is None:
            self.process.terminate()
            self.process.communicate(timeout=20)
        self.home.cleanup()

    def write(self, line):
        self.connection.sendall((line + "\n").encode())

    def query(self, line):
        self.write(line)
        return self.replies.readline().strip()

    def frames_written(self):
        return os.path.getsize(self.raw) // 8 if os.path.exists(self.raw) else 0

    def record(self, seconds):
        """Plays on for `seconds` of sound, stops the server and returns the last second."""
        start = self.frames_written()
        deadline = time.monotonic() + 60
        while self.frames_written() < start + int(seconds * RATE) + RATE:
            self.assertLess(time.monotonic(), deadline, "the card plays")
            time.sleep(0.01)
        self.process.terminate()
        self.process.communicate(timeout=20)
        with open(self.raw, "rb") as raw:
            raw.seek(-RATE * 8, os.SEEK_END)
            data = raw.read(RATE * 8)
        values = struct.unpack("<%df" % (2 * RATE), data)
        return values[0::2], values[1::2]

    def test_left_and_right_are_the_two_sources(self):
        self.assertTrue(self.banner.startswith("serving 2 source(s)"), self.banner)
        self.write("SOUR1:FREQ 1000;:SOUR2:FREQ 3000;:SOUR2:VOLT 1")
        self.assertEqual(self.query("*OPC?"), "1")
        left, right = self.record(0.5)
        self.assertAlmostEqual(abs(tone(left, 1000)), 2.0 / 3.5, places=4)
        self.assertAlmostEqual(abs(tone(right, 3000)), 1.0 / 3.5, places=4)
        self.assertLess(abs(tone(left, 3000)), 1e-5)

    def test_frequency_stops_below_half_the_rate(self):
        self.write("SOUR1:FREQ 30000")
        self.assertEqual(float(self.query("SOUR1:FREQ?")), 23999.0)
        self.assertEqual(float(self.query("SOUR1:FREQ? MAX")), 23999.0)

    def test_synchronised_outputs_keep_the_set_phase(self):
        # Out of step first: the right output runs at another frequency for a while.
        self.write("SOUR2:FREQ 1300")
        self.assertEqual(self.query("*OPC?"), "1")
        time.sleep(0.05)
        self.write("SOUR2:FREQ 1000;:SOUR2:PHAS 0.25;:SOUR1:FREQ 1000")
        self.write("PHAS:SYNC")
        self.assertEqual(self.query("*OPC?"), "1")
        self.assertEqual(self.query("SYST:ERR?"), '0,"No error"')
        left, right = self.record(0.5)
        difference = cmath.phase(tone(right, 1000) / tone(left, 1000))
        self.assertAlmostEqual(difference, math.pi / 2, places=3)


def main():
    global CLI
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    args, rest = parser.parse_known_args()
    CLI = args.cli
    if not os.access(CLI, os.X_OK):
        print("skipped: no headless tool at %s" % CLI)
        return SKIPPED
    program = unittest.main(argv=[sys.argv[0], *rest], exit=False)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
