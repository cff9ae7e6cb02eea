#!/usr/bin/env python3
"""Runs every vistrelctl subcommand that reports something with --json against simulated
cameras, alone and several at once, succeeding and failing with every exit status, and checks
each printed object against docs/vistrelctl.schema.json.

A small checker of the schema keywords the file uses, so the test needs nothing beyond
python3. Usage: json_schema_test.py VISTRELCTL SCHEMA WORKDIR VISTREL_SIM
"""
import json
import os
import re
import subprocess
import sys

TYPES = {
    "object": lambda v: isinstance(v, dict),
    "array": lambda v: isinstance(v, list),
    "string": lambda v: isinstance(v, str),
    "boolean": lambda v: isinstance(v, bool),
    "null": lambda v: v is None,
    "integer": lambda v: isinstance(v, int) and not isinstance(v, bool),
    "number": lambda v: isinstance(v, (int, float)) and not isinstance(v, bool),
}


def errors(value, schema, root, path="$"):
    """The ways `value` breaks `schema` (empty when it fits)."""
    if "$ref" in schema:
        name = schema["$ref"].removeprefix("#/$defs/")
        return errors(value, root["$defs"][name], root, path)
    found = []
    kinds = schema.get("type")
    if kinds is not None:
        kinds = [kinds] if isinstance(kinds, str) else kinds
        if not any(TYPES[k](value) for k in kinds):
            return [f"{path}: {value!r} is not of type {kinds}"]
    if "const" in schema and value != schema["const"]:
        found.append(f"{path}: {value!r} is not {schema['const']!r}")
    if "enum" in schema and value not in schema["enum"]:
        found.append(f"{path}: {value!r} is none of {schema['enum']}")
    if "minimum" in schema and TYPES["number"](value) and value < schema["minimum"]:
        found.append(f"{path}: {value} is below {schema['minimum']}")
    if "maximum" in schema and TYPES["number"](value) and value > schema["maximum"]:
        found.append(f"{path}: {value} is above {schema['maximum']}")
    if isinstance(value, dict):
        found += object_errors(value, schema, root, path)
    if isinstance(value, list):
        if len(value) < schema.get("minItems", 0) or len(value) > schema.get("maxItems", 1 << 30):
            found.append(f"{path}: {len(value)} items")
        for i, item in enumerate(value):
            if "items" in schema:
                found += errors(item, schema["items"], root, f"{path}[{i}]")
    for part in schema.get("allOf", []):
        found += errors(value, part, root, path)
    if "anyOf" in schema and all(errors(value, p, root, path) for p in schema["anyOf"]):
        found.append(f"{path}: fits none of {schema['anyOf']}")
    if "not" in schema and not errors(value, schema["not"], root, path):
        found.append(f"{path}: fits {schema['not']}, which it must not")
    return found


def object_errors(value, schema, root, path):
    found = [f"{path}: {key} missing" for key in schema.get("required", []) if key not in value]
    props = schema.get("properties", {})
    extra = schema.get("additionalProperties", True)
    for key, item in value.items():
        if key in props:
            found += errors(item, props[key], root, f"{path}.{key}")
        elif extra is False:
            found.append(f"{path}: unexpected member {key}")
        elif isinstance(extra, dict):
            found += errors(item, extra, root, f"{path}.{key}")
    return found


def cases(work):
    """(schema name, arguments after the channel, expected exit status, standard input)."""
    cam = os.path.join(work, "golden.cam")
    bad = "MD00=QX-70500C-VLNK\nDAGA=99999\nNOSUCH=1\n"
    return [
        ("info", ["info"], 0, None),
        ("dump", ["dump"], 0, None),
        ("dump", ["dump", "--expect-model", "RL-4100T-VLNK"], 1, None),
        ("save", ["save", "--force", cam], 0, None),
        ("save", ["save", "--force", "/proc/version"], 5, None),
        ("get", ["get", "TI", "FGA"], 0, None),
        ("get", ["get", "NOSUCHNAME"], 2, None),
        ("set", ["set", "FGA=100"], 0, None),
        ("send", ["send", "FGA?"], 0, None),
        ("describe", ["describe", "FGA", "TI", "OFC"], 0, None),
        ("describe", ["describe", "--all"], 0, None),
        ("diff", ["diff", cam], 0, None),
        ("diff", ["diff", "-"], 1, "FGA=1\n"),
        ("load", ["load", cam], 0, None),
        ("load", ["load", "--dry-run", "-"], 2, bad),
        ("params", ["params"], 0, None),
        ("counts", ["counts"], 0, None),
        ("sequencer", ["sequencer", "1"], 0, None),
        ("entry", ["entry", "BMPXWG", "5"], 0, None),
        ("lut-show", ["lut", "show"], 0, None),
        ("adjust", ["adjust", "shading"], 0, None),
        ("store", ["store", "1"], 0, None),
        ("load-area", ["load-area", "1"], 0, None),
        ("store-all", ["--yes", "store-all"], 0, None),
        ("user-id", ["user-id"], 0, None),
        ("camera-id", ["camera-id"], 0, None),
        ("device-version", ["device-version"], 0, None),
        ("xml-version", ["xml-version"], 0, None),
        ("model-id", ["model-id", "RL-4100T-VLNK"], 2, None),
        ("provision", ["provision", cam], 0, None),
        ("provision", ["provision", cam, "--expect-model", "RL-4100T-VLNK"], 1, None),
        ("reset", ["reset"], 0, None),
    ]


def check(record, name, status, root):
    """The ways one printed object breaks the schema or disagrees with the exit status."""
    problems = errors(record, root["$defs"].get(name, root["$defs"]["record"]), root)
    if record.get("ok") != (status == 0):
        problems.append(f"ok is {record.get('ok')} for exit {status}")
    if status != 0 and record.get("error", {}).get("status") != status:
        problems.append("the error's status is not the exit status")
    error = record.get("error", {})
    held = error.get("holder", {}).get("pid") == os.getpid()
    if status == 4 and not held and "no such device" not in error.get("message", "").lower():
        problems.append("the error does not say why the channel did not open")
    return problems


def check_cameras(lines, name, channels, statuses, root):
    """The records of a run over several cameras: one per channel, each with its data."""
    problems = []
    records = {}
    for line in lines:
        record = json.loads(line)
        problems += errors(record, root["$defs"]["camera-record"], root)
        records[record.get("channel")] = record
    if sorted(records) != sorted(channels):
        return problems + [f"records for {sorted(records)}, expected {sorted(channels)}"]
    for channel, status in zip(channels, statuses):
        record = records[channel]
        if record["status"] != status:
            problems.append(f"{channel}: status {record['status']}, expected {status}")
        if status in (0, 1) and record["model"] is None:
            problems.append(f"{channel}: the camera named its model, the record has none")
        if isinstance(record["data"], dict):
            problems += [f"{channel}: {p}" for p in check(record["data"], name, status, root)]
            if record["data"].get("model") not in (None, record["model"]):
                problems.append(f"{channel}: the record's model is not the one the camera named")
    return problems


class Cameras:
    """Simulated cameras on pseudo-terminals: a good one, a second one, a silent one and one
    whose port this test holds open."""

    def __init__(self, sim):
        self.procs = [subprocess.Popen([sim] + extra, stdout=subprocess.PIPE, text=True)
                      for extra in ([], [], ["--no-reply"], [])]
        self.good, self.other, self.silent, self.held = (
            p.stdout.readline().strip() for p in self.procs)
        self.holding = os.open(self.held, os.O_RDWR | os.O_NOCTTY)

    def close(self):
        os.close(self.holding)
        for proc in self.procs:
            proc.terminate()
            proc.wait(timeout=10)


def runs(work, cams):
    """(schema name, arguments, exit status, standard input, channels of a run over cameras)."""
    single = [(n, ["--simulate=QX-70500C-VLNK"] + a, s, i, None) for n, a, s, i in cases(work)]
    cam = os.path.join(work, "golden.cam")
    return single + [
        ("params", ["params"], 0, None, None),
        ("commands", ["commands"], 0, None, None),
        ("channel", ["channel"], 0, None, None),
        ("ports", ["ports"], 0, None, None),
        ("info", ["--device", "/nonexistent", "info"], 4, None, None),
        ("get", ["--device", cams.silent, "--timeout", "300", "get", "TI"], 3, None, None),
        ("info", ["--device", cams.held, "info"], 4, None, None),
        ("info", ["--device", cams.good, "--device", cams.other, "--device", "/nonexistent",
                  "info"], 4, None, [0, 0, 4]),
        ("get", ["--device", cams.good, "--device", cams.silent, "--timeout", "300", "get",
                 "TI"], 3, None, [0, 3]),
        ("provision", ["--device", cams.good, "--device", cams.other, "provision", cam,
                       "--expect-model", "RL-4100T-VLNK"], 1, None, [1, 1]),
        ("dump", ["--device", cams.good, "--device", cams.other, "dump", "--expect-model",
                  "RL-4100T-VLNK"], 1, None, [1, 1]),
    ]


def main():
    program, schema_path, work, sim = sys.argv[1:5]
    os.makedirs(work, exist_ok=True)
    env = dict(os.environ, VISTREL_CONFIG_DIR=work)
    with open(schema_path, encoding="utf-8") as f:
        root = json.load(f)
    cams = Cameras(sim)
    failures = 0
    all_runs = runs(work, cams)
    try:
        for name, args, status, stdin, each in all_runs:
            run = subprocess.run([program] + args + ["--json"], input=stdin, capture_output=True,
                                 text=True, env=env, timeout=120, check=False)
            lines = run.stdout.splitlines()
            problems = []
            if run.returncode != status:
                problems.append(f"exit {run.returncode}, expected {status}: {run.stderr.strip()}")
            if each is not None:
                channels = [a for i, a in enumerate(args) if i and args[i - 1] == "--device"]
                problems += check_cameras(lines, name, channels, each, root)
            elif len(lines) != 1:
                problems.append(f"{len(lines)} lines on stdout, expected one object")
            else:
                problems += check(json.loads(lines[0]), name, status, root)
            for problem in problems:
                print(f"FAIL {' '.join(args)}: {problem}")
            failures += bool(problems)
    finally:
        cams.close()
    print(f"{len(all_runs) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
