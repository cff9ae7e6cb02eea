"""Fixtures of the module's tests: simulated cameras on pseudo-terminals, a settings folder."""
import os
import subprocess

import pytest


@pytest.fixture(autouse=True)
def settings_folder(tmp_path, monkeypatch):
    folder = tmp_path / "config"
    folder.mkdir()
    monkeypatch.setenv("VISTREL_CONFIG_DIR", str(folder))
    monkeypatch.chdir(tmp_path)
    return folder


@pytest.fixture
def sim():
    """Starts vistrel-sim with the given options; returns its pseudo-terminal's path."""
    started = []

    def start(*options):
        process = subprocess.Popen([os.environ["VISTREL_SIM"], *options],
                                   stdout=subprocess.PIPE, text=True)
        started.append(process)
        return process.stdout.readline().strip()

    yield start
    for process in started:
        process.terminate()
        process.wait(timeout=10)
