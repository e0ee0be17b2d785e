#!/usr/bin/env python3
"""The headless server driven by PyVISA (pyvisa-py backend), as a bench user's script drives it.

    /usr/bin/python3 tests/pyvisa/scpi_pyvisa_test.py --cli build/bin/korvaneawg-cli

Exits 77 (skipped) when the headless tool or PyVISA is missing.
"""

import argparse
import os
import struct
import subprocess
import sys
import time
import unittest

SKIPPED = 77

try:
    import pyvisa
except ImportError:
    pyvisa = None

CLI = None


class Served:
    """A `korvaneawg-cli serve` on a free port, with one simulated generator."""

    def __init__(self, extra=()):
        env = dict(os.environ, KVDDS_SIMULATED_DEVICES="1")
        self.process = subprocess.Popen(
            [CLI, "serve", "--port", "0", *extra],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env, text=True)
        self.banner = self.process.stdout.readline()
        # "serving 1 source(s) on 127.0.0.1:PORT; stop with Ctrl+C"
        self.port = int(self.banner.split(";")[0].rsplit(":", 1)[1])

    def stop(self):
        self.process.terminate()
        _, error = self.process.communicate(timeout=10)
        return self.process.returncode, error


class PyvisaTestCase(unittest.TestCase):
    def setUp(self):
        self.served = Served()
        self.manager = pyvisa.ResourceManager("@py")
        self.opened = []
        self.inst = self.open()

    def tearDown(self):
        for resource in self.opened:
            resource.close()
        self.manager.close()
        code, _ = self.served.stop()
        self.assertEqual(code, 0, "the server stops cleanly")

    def open(self):
        resource = self.manager.open_resource(
            "TCPIP::127.0.0.1::%d::SOCKET" % self.served.port,
            read_termination="\n", write_termination="\n", timeout=10000)
        self.opened.append(resource)
        return resource

    def assertNoError(self):
        self.assertEqual(self.inst.query("SYST:ERR:ALL?"), '0,"No error"')


class Identity(PyvisaTestCase):
    def test_identity_and_settings(self):
        self.assertTrue(self.inst.query("*IDN?").startswith("Korvane,KorvaneAWG,"))
        self.inst.write("APPL:SQU 2kHz,1.5,0.25")
        self.assertEqual(self.inst.query("APPL?"), '"SQU 2000,1.5,0.25"')
        self.assertEqual(self.inst.query("*OPC?"), "1")
        self.assertNoError()


class BinaryBlocks(PyvisaTestCase):
    # The first value's bytes hold a newline and a ';' in either byte order.
    POINTS = [struct.unpack("<f", b"\x0a;\x20\x3f")[0], -1.25, 0.0, 3.5]

    def check_round_trip(self, order, big_endian):
        self.inst.write("FORM:BORD " + order)
        frequency = self.inst.query("FREQ?")
        self.inst.write_binary_values("DATA:ARB ", self.POINTS, datatype="f",
                                      is_big_endian=big_endian)
        self.assertEqual(self.inst.query("FREQ?"), frequency, "block bytes ran as commands")
        self.assertEqual(self.inst.query("FUNC?"), "USER")
        self.inst.write("FORM REAL,32")
        values = self.inst.query_binary_values("DATA:ARB?", datatype="f",
                                               is_big_endian=big_endian)
        self.assertEqual(values, self.POINTS)
        self.inst.write("FORM ASC")
        ascii_values = self.inst.query_ascii_values("DATA:ARB?")
        for got, expected in zip(ascii_values, self.POINTS):
            self.assertAlmostEqual(got, expected, places=6)
        self.assertNoError()

    def test_little_endian_with_swapped_order(self):
        self.check_round_trip("SWAP", False)

    def test_big_endian_with_normal_order(self):
        self.check_round_trip("NORM", True)

    def test_points_beyond_full_scale_change_nothing(self):
        self.inst.write("FORM:BORD SWAP")
        self.inst.write_binary_values("DATA:ARB ", [0.5, 0.25], datatype="f")
        self.inst.write_binary_values("DATA:ARB ", [0.0, float("nan")], datatype="f")
        self.inst.write_binary_values("DATA:ARB ", [4.0], datatype="f")
        self.assertEqual(self.inst.query("SYST:ERR:ALL?"),
                         '-222,"Data out of range",-222,"Data out of range"')
        self.assertEqual(self.inst.query_ascii_values("DATA:ARB?"), [0.5, 0.25])


class LargeAnswers(PyvisaTestCase):
    def test_a_hundred_pipelined_point_queries_are_all_answered(self):
        self.inst.write("DATA:ARB " + ",".join(["-1.234567"] * 4096))
        self.inst.write("\n".join(["DATA:ARB?"] * 100))
        for index in range(100):
            answer = self.inst.read()
            self.assertEqual(answer.count(","), 4095, "answer %d" % index)
        self.assertNoError()


class Bursts(PyvisaTestCase):
    def test_frequency_burst_leaves_no_backlog(self):
        for step in range(200):
            self.inst.write("FREQ %d" % (1000 + step))
        # Another client's *OPC? is answered once the worker has sent what is queued (the engine
        # tests check that this is one frequency command and one download; bench_engine
        # measures how soon).
        self.assertEqual(self.open().query("*OPC?"), "1")
        self.assertEqual(self.inst.query("FREQ?"), "1199")

    def test_reset_burst_leaves_no_backlog(self):
        for _ in range(500):
            self.inst.write("*RST")
        self.assertEqual(self.open().query("*OPC?"), "1")
        self.assertEqual(self.inst.query("FREQ?;FUNC?"), "1000;SIN")


class Status(PyvisaTestCase):
    def test_event_status_and_status_byte(self):
        self.inst.write("*CLS;*ESE 60;*SRE 32")
        self.inst.write("BOGUS")
        self.assertEqual(int(self.inst.query("*STB?")), 4 + 32 + 64)
        self.assertEqual(int(self.inst.query("*ESR?")), 32)
        self.inst.write("*OPC")
        self.assertEqual(self.inst.query("*OPC?"), "1")
        self.assertEqual(int(self.inst.query("*ESR?")), 1)
        self.assertEqual(self.inst.query("*TST?"), "0")
        self.assertEqual(self.inst.query("SYST:ERR:ALL?"), '-113,"Undefined header"')
        self.inst.write("FREQ 5000;FREQ DEF")
        self.assertEqual(self.inst.query("FREQ?"), "1000")


class Conventions(PyvisaTestCase):
    def test_duty_cycle_and_symmetry_in_percent(self):
        self.inst.write("FUNC SQU;FUNC:SQU:DCYC 20;:FUNC:RAMP:SYMM 75")
        self.assertEqual(self.inst.query("FUNC:SQU:DCYC?"), "20")
        self.assertEqual(self.inst.query("FUNC:SQU:DCYC? MAX"), "100")
        self.assertEqual(self.inst.query("FUNC:RAMP:SYMM?"), "75")
        self.assertNoError()

    def test_arb_selects_the_user_wave(self):
        self.inst.write("FUNC ARB")
        self.assertEqual(self.inst.query("FUNC?"), "USER")
        self.inst.write("FUNC SIN;:APPL:ARB 2000")
        self.assertEqual(self.inst.query("FUNC?"), "USER")
        self.assertNoError()

    def test_input_pins_are_bits_0_to_3(self):
        # The simulated generator wires I0..I3 back to O0..O3; the worker reads them each cycle.
        self.inst.write("DIG:OUTP 5")
        answers = []
        for _ in range(500):
            answers.append(self.inst.query("DIG:INP?"))
            if answers[-1] == "5":
                break
            time.sleep(0.01)
        self.assertEqual(answers[-1], "5", "answers seen: %s" % sorted(set(answers)))

    def test_a_block_beyond_the_line_limit_is_refused_and_never_run(self):
        frequency = self.inst.query("FREQ?")
        self.inst.write_binary_values("DATA:ARB ", [0.0] * 20000, datatype="f")
        self.assertEqual(self.inst.query("SYST:ERR:ALL?"), '-223,"Too much data"')
        self.assertEqual(self.inst.query("FREQ?"), frequency)


class IdleClients(unittest.TestCase):
    def test_an_idle_client_is_told_why_and_disconnected(self):
        served = Served(["--idle-timeout", "1"])
        manager = pyvisa.ResourceManager("@py")
        inst = manager.open_resource(
            "TCPIP::127.0.0.1::%d::SOCKET" % served.port,
            read_termination="\n", write_termination="\n", timeout=10000)
        self.assertTrue(inst.query("*IDN?").startswith("Korvane,KorvaneAWG,"))
        self.assertEqual(inst.read(),
                         "closed: the connection was idle for 1 s; connect again to go on")
        inst.close()
        manager.close()
        code, _ = served.stop()
        self.assertEqual(code, 0)

    def test_a_malformed_idle_timeout_is_a_usage_error(self):
        result = subprocess.run([CLI, "serve", "--idle-timeout", "soon"],
                                capture_output=True, text=True, timeout=10)
        self.assertEqual(result.returncode, 2)
        self.assertIn("'soon' is not an idle timeout", result.stderr)


class Clients(PyvisaTestCase):
    def test_sixty_four_clients_and_a_refused_one_is_told_why(self):
        clients = [self.inst] + [self.open() for _ in range(63)]
        for client in clients:
            self.assertEqual(client.query("SYST:ERR:COUN?"), "0")
        refused = self.open()
        self.assertIn("refused: 64 clients", refused.read())


class Binding(unittest.TestCase):
    def test_ipv6_loopback_and_localhost_without_warning(self):
        for address in ("::1", "localhost"):
            served = Served(["--bind", address])
            self.assertIn(address, served.banner)
            code, error = served.stop()
            self.assertEqual(code, 0)
            self.assertEqual(error, "")

    def test_beyond_loopback_warns(self):
        served = Served(["--bind", "0.0.0.0"])
        code, error = served.stop()
        self.assertEqual(code, 0)
        self.assertIn("warning", error)


def main():
    global CLI
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    args, rest = parser.parse_known_args()
    CLI = args.cli
    if not os.access(CLI, os.X_OK):
        print("skipped: no headless tool at " + CLI)
        return SKIPPED
    if pyvisa is None:
        print("skipped: PyVISA is not installed (Debian: python3-pyvisa-py)")
        return SKIPPED
    program = unittest.main(argv=[sys.argv[0], *rest], exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
