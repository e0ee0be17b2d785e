#!/usr/bin/env python3
"""Remote control of a KorvaneAWG generator over its SCPI port, with nothing but the standard library.

Start a server first, for example the headless one:

    korvaneawg-cli serve            # listens on 127.0.0.1:5025

then run this script. It sets a 1 kHz square wave of 1 V peak on source 1, waits until the
generator has taken the settings, reads the measured frequency back and prints it.
"""

import argparse
import socket
import sys
import time


class Instrument:
    """One connection; every command is a line of text, every answer a line back."""

    def __init__(self, host, port, timeout=5.0):
        self.sock = socket.create_connection((host, port), timeout=timeout)
        self.reader = self.sock.makefile("r", encoding="ascii", newline="\n")

    def write(self, command):
        self.sock.sendall((command + "\n").encode("ascii"))

    def query(self, command):
        self.write(command)
        return self.reader.readline().strip()

    def check_errors(self):
        """Raises when the instrument queued an error for this connection."""
        error = self.query("SYSTem:ERRor?")
        if not error.startswith("0,"):
            raise RuntimeError("instrument error: " + error)

    def close(self):
        self.reader.close()
        self.sock.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=5025)
    parser.add_argument("--settle", type=float, default=3.0,
                        help="seconds to wait for a steady frequency reading")
    args = parser.parse_args()

    awg = Instrument(args.host, args.port)
    print("connected to", awg.query("*IDN?"))

    # Short and long forms, units and several commands on one line all work.
    awg.write("SOURce1:FUNCtion SQUare;FREQuency 1kHz;VOLTage 1V;:OUTPut1 ON")
    awg.query("*OPC?")  # answers once the device has received every setting
    awg.check_errors()

    # The displayed measurement follows a few readings behind, so wait for it to settle.
    deadline = time.monotonic() + args.settle
    measured = float(awg.query("MEASure:FREQuency?"))
    while abs(measured - 1000.0) > 10.0 and time.monotonic() < deadline:
        time.sleep(0.1)
        measured = float(awg.query("MEASure:FREQuency?"))

    print("set: %s %s Hz %s V" % (awg.query("FUNCtion?"), awg.query("FREQuency?"),
                                  awg.query("VOLTage?")))
    print("measured frequency: %.3f Hz" % measured)
    awg.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
