"""The module against simulated cameras: the binding's own duties, not the camera layer's."""
import ctypes
import json
import os
import signal
import subprocess
import threading
import time

import pytest

import vistrel

MODEL = "QX-70500C-VLNK"


def test_open_takes_the_port_and_close_gives_it_back(sim):
    device = sim()
    with vistrel.open(device) as cam:
        assert cam.model == MODEL
        with pytest.raises(vistrel.ChannelError) as second:
            vistrel.open(device)
        assert second.value.status == 4
    assert cam.closed
    with pytest.raises(vistrel.ChannelError):
        cam.get("TI")  # never the freed session
    with vistrel.open(device) as again:
        assert again.get("MD") == MODEL


def test_bad_arguments_fail_before_the_port_opens(sim):
    device = sim()
    for call, error in [
        (lambda: vistrel.open(device, speed=9600), TypeError),
        (lambda: vistrel.open(device, baud="fast"), TypeError),
        (lambda: vistrel.open(device, simulate=MODEL), vistrel.UsageError),
        (lambda: vistrel.open(device, control_mode="admin"), vistrel.UsageError),
        (lambda: vistrel.open(device, timeout_ms=0), vistrel.UsageError),
    ]:
        with pytest.raises(error):
            call()
    vistrel.open(device).close()  # none of them left the port taken


def test_set_checks_every_value_before_sending_any():
    with vistrel.open(simulate=MODEL) as cam:
        cam.set(FGA=100)
        with pytest.raises(vistrel.UsageError) as bad:
            cam.set(FGA=200, TI="No Such Entry")
        assert bad.value.status == 2 and "TI" in str(bad.value)
        assert cam.get("FGA") == 100  # the good value before the bad one was not sent
        for wrong in [1.5, True, None]:
            with pytest.raises(TypeError):
                cam.set("FGA", wrong)
        cam.set("TI", "High")
        assert cam.get_many(["TI", "FGA"]) == {"TI": 1, "FGA": 100}


def test_read_all_matches_vistrelctl_dump(sim):
    device = sim()
    with vistrel.open(device) as cam:
        settings = cam.read_all()
        described = cam.describe("FGA")
    dump = subprocess.run([os.environ["VISTRELCTL"], "--device", device, "dump", "--json"],
                          capture_output=True, text=True, check=True)
    assert settings == json.loads(dump.stdout)["settings"]
    assert described["name"] == "FGA" and described["value"] == settings["FGA"]


def test_save_diff_load_round_trip(tmp_path):
    path = str(tmp_path / "golden.cam")
    with vistrel.open(simulate=MODEL) as cam:
        cam.save(path)
        assert cam.diff(path) == []
        cam.set(FGA=300)
        [difference] = cam.diff(path)
        assert difference["name"] == "FGA" and difference["camera"] == 300
        with pytest.raises(vistrel.UsageError):
            cam.save(path)  # an existing file needs force
        cam.load(path)
        assert cam.diff(path) == []


@pytest.mark.parametrize("fault, call, error", [
    (["--reply-value", "12,3", "--fault-on", "FGA"], lambda c: c.get("FGA"), vistrel.RefusedError),
    (["--no-reply", "--fault-on", "FGA"], lambda c: c.get("FGA"), vistrel.NoReplyError),
    (["--other-reply", "--fault-on", "FGA"], lambda c: c.set(FGA=200), vistrel.RefusedError),
    ([], lambda c: c.save("/sys/vistrel.cam"), vistrel.FileError),
])
def test_each_failure_raises_its_class(sim, fault, call, error):
    # Room for the model check's answer on a busy machine; the failing reply waits this out.
    with vistrel.open(sim(*fault), timeout_ms=500) as cam:
        with pytest.raises(error) as raised:
            call(cam)
    assert raised.value.status in (1, 3, 5)
    assert "vistrelctl" in str(raised.value)


def test_keyboard_interrupt_stops_the_adjustment(sim):
    with vistrel.open(sim("--adjust-ms", "30000")) as cam:
        before = _sigint_handler()

        def interrupt_once_watched():
            # Once the adjustment has put its own SIGINT handler in, Ctrl-C is for it.
            for _ in range(1000):
                if _sigint_handler() != before:
                    os.kill(os.getpid(), signal.SIGINT)
                    return
                time.sleep(0.01)

        thread = threading.Thread(target=interrupt_once_watched)
        thread.start()
        with pytest.raises(KeyboardInterrupt):
            cam.adjust("exposure")
        thread.join()
        assert cam.get("ASC") == 0  # set back to off on the wire


def _sigint_handler():
    action = ctypes.create_string_buffer(256)  # struct sigaction; the handler comes first
    assert ctypes.CDLL(None).sigaction(signal.SIGINT, None, action) == 0
    return action.raw[:ctypes.sizeof(ctypes.c_void_p)]


def test_cameras_in_threads_each_read_their_own(sim):
    cams = [vistrel.open(sim("--camera-id", f"CAM{i}")) for i in range(2)]
    results = {}
    threads = [threading.Thread(target=lambda c=c: results.update({c.camera_id: c.read_all()}))
               for c in cams]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert sorted(results) == ["CAM0", "CAM1"] and results["CAM0"] == results["CAM1"]
    for cam in cams:
        cam.close()
