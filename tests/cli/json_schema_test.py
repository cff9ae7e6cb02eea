#!/usr/bin/env python3
"""Runs every vistrelctl subcommand that reports something with --json against simulated
cameras and checks each printed object against docs/vistrelctl.schema.json.

A small checker of the schema keywords the file uses, so the test needs nothing beyond
python3. Usage: json_schema_test.py VISTRELCTL SCHEMA WORKDIR
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
        ("save", ["save", "--force", cam], 0, None),
        ("get", ["get", "TI", "FGA"], 0, None),
        ("get", ["get", "NOSUCHNAME"], 2, None),
        ("set", ["set", "FGA=100"], 0, None),
        ("send", ["send", "FGA?"], 0, None),
        ("describe", ["describe", "FGA", "TI"], 0, None),
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
        ("reset", ["reset"], 0, None),
    ]


def main():
    program, schema_path, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    env = dict(os.environ, VISTREL_CONFIG_DIR=work)
    with open(schema_path, encoding="utf-8") as f:
        root = json.load(f)
    runs = [(n, ["--simulate=QX-70500C-VLNK"] + a, s, i) for n, a, s, i in cases(work)]
    runs += [("params", ["params"], 0, None), ("channel", ["channel"], 0, None),
             ("ports", ["ports"], 0, None), ("info", ["--device", "/nonexistent", "info"], 4, None)]
    failures = 0
    for name, args, status, stdin in runs:
        run = subprocess.run([program] + args + ["--json"], input=stdin, capture_output=True,
                             text=True, env=env, timeout=120, check=False)
        lines = run.stdout.splitlines()
        problems = []
        if run.returncode != status:
            problems.append(f"exit {run.returncode}, expected {status}: {run.stderr.strip()}")
        if len(lines) != 1:
            problems.append(f"{len(lines)} lines on stdout, expected one object")
        else:
            record = json.loads(lines[0])
            schema = root["$defs"].get(name, root["$defs"]["record"])
            problems += errors(record, schema, root)
            if record.get("ok") != (status == 0):
                problems.append(f"ok is {record.get('ok')} for exit {status}")
            if status != 0 and record.get("error", {}).get("status") != status:
                problems.append("the error's status is not the exit status")
        for problem in problems:
            print(f"FAIL {' '.join(args)}: {problem}")
        failures += bool(problems)
    print(f"{len(runs) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
