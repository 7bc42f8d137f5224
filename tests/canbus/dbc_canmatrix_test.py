#!/usr/bin/env python3
"""The DBC export and import against canmatrix, an independent reader and writer.

    dbc_canmatrix_test.py CLI DEMO_PROJECT_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import canmatrix
import canmatrix.formats

CLI = DEMO = None
DOCUMENTS = ["Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"]


def read(path, mode="r"):
    with open(path, mode) as f:
        return f.read()


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def cli(*args):
    run = subprocess.run([CLI, "dbc", *args], capture_output=True, text=True)
    return run.returncode, run.stderr


def number(text):
    text = text.strip()
    for prefix in ("0x", "0X", "$", "x", "X"):
        if text.startswith(prefix):
            return int(text[len(prefix):], 16)
    return int(text)


def rows(path):
    return [row.attrib for row in ET.parse(path).getroot()] if os.path.exists(path) else []


def load(path):
    return canmatrix.formats.loadp(path)[""]


def documents(project):
    out = {}
    for name in DOCUMENTS:
        path = os.path.join(project, name)
        out[name] = read(path, "rb") if os.path.exists(path) else None
    return out


def covered(frame):
    """The bytes canmatrix packs each signal of the frame into, all branches together."""
    mask = 0
    for signal in frame.signals:
        value = -1 if signal.is_signed else (1 << signal.size) - 1
        data = frame.signals_to_bytes({signal.name: value})
        for k, byte in enumerate(data):
            if byte:
                mask |= 1 << k
    return mask


class DbcAgainstCanmatrix(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.dir)

    def project(self, name, source=None, can_type=None):
        path = os.path.join(self.dir, name)
        if source:
            shutil.copytree(source, path, ignore=shutil.ignore_patterns("bin"))
        else:
            os.makedirs(path)
            shutil.copy(os.path.join(DEMO, "pargen.xml"), path)
        if can_type is not None:
            pargen = os.path.join(path, "pargen.xml")
            write(pargen, re.sub(r"<CAN_Type>\d</CAN_Type>", "<CAN_Type>%d</CAN_Type>" % can_type, read(pargen)))
        return path

    def export(self, project):
        path = os.path.join(self.dir, os.path.basename(project) + ".dbc")
        status, err = cli("export", project, path)
        self.assertEqual(status, 0, err)
        return path

    def expect_frames_as_in(self, project, db, extended):
        frames = {frame.arbitration_id.id: frame for frame in db.frames}
        count = 0
        for side, transmitter in (("Receive", "CanBus"), ("Send", "Gateway")):
            table = rows(os.path.join(project, side + "_Frame.xml"))
            info = rows(os.path.join(project, side + "_Info.xml"))
            for i, row in enumerate(table):
                frame = frames[number(row["COBID"])]
                count += 1
                self.assertEqual(frame.arbitration_id.extended, extended)
                self.assertEqual(frame.size, number(row["Dim"]))
                self.assertEqual(frame.transmitters, [transmitter])
                mapped = [k for k in range(1, frame.size + 1) if i < len(info) and int(info[i]["B%d" % k]) != 255]
                self.assertEqual([s.get_startbit(bit_numbering=1, start_little=True) for s in frame.signals],
                                 [8 * (k - 1) for k in mapped])
                for signal in frame.signals:
                    self.assertEqual((signal.size, signal.is_little_endian, signal.is_signed), (8, True, False))
                    self.assertTrue(signal.receivers)
        self.assertEqual(len(db.frames), count)

    def test_export_is_read_by_canmatrix_and_keeps_the_line_rules(self):
        path = self.export(DEMO)
        self.expect_frames_as_in(DEMO, load(path), extended=False)
        text = read(path, "rb")
        self.assertTrue(all(byte < 0x80 for byte in text))
        text = text.decode("ascii")
        self.assertNotIn(" ;", text)
        self.assertIsNone(re.search(r"\d[eE][-+]?\d", text))
        for name in re.findall(r"^BO_ \d+ (\w+):|^ SG_ (\w+) ", text, re.M):
            self.assertLessEqual(len("".join(name)), 32)
        self.assertTrue(text.startswith('VERSION ""\r\n'))

    def test_29_bit_frames_with_small_numbers_round_trip(self):
        project = self.project("wide", DEMO, can_type=1)
        path = self.export(project)
        self.expect_frames_as_in(project, load(path), extended=True)
        into = self.project("wide_again", can_type=1)
        status, err = cli("import", into, path)
        self.assertEqual(status, 0, err)
        self.assertEqual(documents(into), documents(project))
        # The same file in an 11-bit project: every frame skipped, said why, nothing written.
        narrow = self.project("narrow")
        status, err = cli("import", narrow, path)
        self.assertIn("29-bit identifier in a project of 11-bit identifiers", err)
        self.assertEqual(documents(narrow)["Receive_Frame.xml"], None)

    def test_our_export_rewritten_by_canmatrix_restores_the_project(self):
        rewritten = os.path.join(self.dir, "rewritten.dbc")
        canmatrix.formats.dumpp({"": load(self.export(DEMO))}, rewritten)
        into = self.project("again")
        status, err = cli("import", into, rewritten)
        self.assertEqual(status, 0, err)
        self.assertEqual(documents(into), documents(DEMO))

    def bus(self):
        db = canmatrix.CanMatrix()
        for name in ("GW", "Engine", "Dash"):
            db.add_ecu(canmatrix.Ecu(name))

        def frame(name, id, size, transmitter, signals, extended=False):
            f = canmatrix.Frame(name, arbitration_id=canmatrix.ArbitrationId(id, extended=extended), size=size,
                                transmitters=[transmitter])
            for s in signals:
                f.add_signal(s)
            db.add_frame(f)
            return f

        sig = canmatrix.Signal
        frame("EngineData", 0x100, 8, "Engine", [
            sig("Mux", start_bit=0, size=4, is_little_endian=True, receivers=["GW"], multiplex="Multiplexor"),
            sig("Speed", start_bit=8, size=16, is_little_endian=False, receivers=["GW"], multiplex=0),
            sig("Temp", start_bit=40, size=8, is_little_endian=False, is_signed=True, receivers=["GW"], multiplex=1),
        ]).add_comment("Temp\u00e9rature du moteur")
        frame("Torque", 0x101, 6, "Engine", [sig("T", start_bit=20, size=12, is_little_endian=True, receivers=["GW"])])
        frame("Command", 0x200, 4, "GW", [sig("Cmd", start_bit=7, size=12, is_little_endian=False, receivers=["Engine"])])
        frame("DashOnly", 0x300, 1, "Dash", [sig("Y", start_bit=0, size=8, receivers=["Engine"])])
        frame("Small29", 0x5, 8, "Engine", [sig("Z", start_bit=0, size=8, receivers=["GW"])], extended=True)
        return db

    def test_a_file_written_by_canmatrix_imports_by_node_in_either_encoding(self):
        db = self.bus()
        for encoding in ("cp1252", "utf-8"):
            path = os.path.join(self.dir, encoding + ".dbc")
            canmatrix.formats.dumpp({"": db}, path, dbcExportEncoding=encoding)
            into = self.project("bus_" + encoding)
            status, err = cli("import", into, path, "--node", "GW", "--map")
            self.assertEqual(status, 0, err)
            self.assertIn("skipped 0x300 DashOnly: neither sent nor received by GW", err)
            self.assertIn("skipped 0x00000005 Small29: 29-bit identifier", err)
            back = load(path)
            next_byte = {"Receive": 0, "Send": 0}
            for side, names in (("Receive", ["EngineData", "Torque"]), ("Send", ["Command"])):
                table = rows(os.path.join(into, side + "_Frame.xml"))
                info = rows(os.path.join(into, side + "_Info.xml"))
                self.assertEqual([row["Mnemonic"] for row in table], names)
                for row, mapping, name in zip(table, info, names):
                    frame = back.frame_by_name(name)
                    self.assertEqual(number(row["COBID"]), frame.arbitration_id.id)
                    self.assertEqual(int(row["Dim"]), frame.size)
                    expected = []
                    for k in range(1, 9):
                        if covered(frame) >> (k - 1) & 1:
                            expected.append(next_byte[side])
                            next_byte[side] += 1
                        else:
                            expected.append(255)
                    self.assertEqual([int(mapping["B%d" % k]) for k in range(1, 9)], expected, name)

    def test_refused_imports_change_nothing(self):
        into = self.project("full", DEMO)
        before = documents(into)
        junk = os.path.join(self.dir, "junk.dbc")
        write(junk, 'VERSION ""\nBU_: GW\nBO_ 1 F: 8 GW\n SG_ S : 0|8@1+ (1,0 [0|0] "" GW\n')
        for args, message in (([junk, "--side", "send", "--replace"], "'junk.dbc', line 4:"),
                              ([os.path.join(self.dir, "missing.dbc"), "--side", "send"], "does not exist"),
                              ([self.export(DEMO)], "is not empty")):
            status, err = cli("import", into, *args)
            self.assertEqual(status, 1, err)
            self.assertIn(message, err)
            self.assertEqual(documents(into), before)


if __name__ == "__main__":
    CLI, DEMO = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
