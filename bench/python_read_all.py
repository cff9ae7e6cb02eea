#!/usr/bin/env python3
"""Times read_all() in Python against vistrelctl dump on the same paced simulated camera, in
turns, and eight cameras read from eight threads against one:
PYTHONPATH=build/python bench/python_read_all.py build/bin/vistrelctl build/bin/vistrel-sim"""
import os
import statistics
import subprocess
import sys
import tempfile
import threading
import time

import vistrel

BAUD = "115200"
ROUNDS = 5


def start_sim(sim):
    process = subprocess.Popen([sim, "--baud", BAUD], stdout=subprocess.PIPE, text=True)
    return process, process.stdout.readline().strip()


def timed(action):
    start = time.perf_counter()
    action()
    return time.perf_counter() - start


def read_once(device):
    with vistrel.open(device, baud=int(BAUD)) as cam:
        cam.read_all()


def main():
    ctl, sim = sys.argv[1], sys.argv[2]
    os.environ["VISTREL_CONFIG_DIR"] = tempfile.mkdtemp()
    sims = [start_sim(sim) for _ in range(8)]
    device = sims[0][1]
    try:
        dump, python, warm = [], [], []
        for _ in range(ROUNDS):
            dump.append(timed(lambda: subprocess.run(
                [ctl, "--device", device, "--baud", BAUD, "dump"], check=True,
                stdout=subprocess.DEVNULL)))
            python.append(timed(lambda: read_once(device)))
            with vistrel.open(device, baud=int(BAUD)) as cam:
                warm.append(timed(cam.read_all))
        one, eight, ctl_eight = [], [], []
        every = [a for _, d in sims for a in ("--device", d)]
        for _ in range(ROUNDS):
            ctl_eight.append(timed(lambda: subprocess.run(
                [ctl, *every, "--baud", BAUD, "dump"], check=True, stdout=subprocess.DEVNULL)))
            one.append(timed(lambda: read_once(device)))
            threads = [threading.Thread(target=read_once, args=(d,)) for _, d in sims]
            eight.append(timed(lambda: ([t.start() for t in threads], [t.join() for t in threads])))
        m = statistics.median
        print(f"vistrelctl dump {m(dump):.3f} s; open+read_all+close {m(python):.3f} s "
              f"({m(python) / m(dump):.2f}x); read_all on an open camera {m(warm):.3f} s "
              f"({m(warm) / m(dump):.2f}x)")
        print(f"one camera {m(one):.3f} s; eight cameras from eight threads {m(eight):.3f} s "
              f"({m(eight) / m(one):.2f}x); vistrelctl over the eight {m(ctl_eight):.3f} s "
              f"({m(ctl_eight) / m(dump):.2f}x its one-camera dump)")
    finally:
        for process, _ in sims:
            process.terminate()
            process.wait()


if __name__ == "__main__":
    main()
