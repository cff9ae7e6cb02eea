#pragma once

// The docstrings help(vistrel) and help(vistrel.Camera) show.
namespace vistrel::python::docs {

inline constexpr const char* kModule =
    "Set up a Camera Link camera over its serial channel, with vistrelctl's checks and "
    "messages.\n\n"
    "vistrel.open() returns a Camera; every failure raises a CameraError subclass whose "
    "status is the exit status vistrelctl gives for it. docs/python.md has the whole API.";

inline constexpr const char* kCamera =
    "An open camera: its channel is open, its port locked and its model checked.\n\n"
    "Made by vistrel.open(); a context manager that closes the camera on leaving. The GIL "
    "is released during every exchange, so several cameras can be driven from threads. One "
    "camera serves one call at a time: calls from two threads on the same Camera are "
    "serialised by its lock, and close() waits for the call that is running. After close() "
    "every operation raises ChannelError.";

inline constexpr const char* kModel = "The model the camera reported at the model check.";
inline constexpr const char* kChannel =
    "The channel as vistrelctl names it: \"/dev/ttyUSB0 115200\", \"simulated camera\", ...";
inline constexpr const char* kCameraId = "The camera's id, read from the camera.";
inline constexpr const char* kVersions =
    "The camera's versions, read from the camera: firmwareVersion, fpgaVersion, xmlVersion, "
    "deviceVersion.";
inline constexpr const char* kClosed = "Whether close() was called.";
inline constexpr const char* kClose =
    "Close the channel and release the port and its lock; later calls raise ChannelError.";
inline constexpr const char* kGet =
    "get(name) -> int | str\n\nQuery one command by name: a number, or the text the camera "
    "sent for a text command.";
inline constexpr const char* kGetMany =
    "get_many(names) -> dict\n\nQuery several commands: a dict keyed by the names as the "
    "command table spells them. A name the camera refuses raises RefusedError naming it.";
inline constexpr const char* kSet =
    "set(name, value) or set(NAME=value, ...)\n\nCheck every value against the model's "
    "range and choice entries first (a choice may be given by its entry text); when one is "
    "wrong, UsageError is raised and nothing is sent. Then send them in the order given, "
    "each confirmed by the camera; the first the camera refuses raises RefusedError.";
inline constexpr const char* kDescribe =
    "describe(name=None) -> dict | list[dict]\n\nOne control's description (name given) or "
    "every control of the model, with the fields of vistrelctl describe --json.";
inline constexpr const char* kReadAll =
    "read_all() -> dict\n\nRead every setting of the model: name -> value. Raises when any "
    "row stays unread, naming them.";
inline constexpr const char* kSave =
    "save(path, *, shipping=False, force=False)\n\nRead every setting and write a setting "
    "file; an existing file is replaced only with force=True, and only a regular file.";
inline constexpr const char* kLoad =
    "load(path, *, strict=True, dry_run=False) -> dict\n\nApply a setting file; returns the "
    "report (file, lines with their results, skipped lines). A strict load that skips or is "
    "refused a line raises; dry_run checks every value and sends nothing.";
inline constexpr const char* kDiff =
    "diff(path) -> list[dict]\n\nCompare the camera with a setting file: the differences "
    "(line, name, file, camera), empty when the camera matches.";
inline constexpr const char* kStore =
    "store(area)\n\nStore the working settings into flash area "
    "0 (factory, needs control_mode=\"factory\") to 3.";
inline constexpr const char* kLoadArea =
    "load_area(area)\n\nLoad a flash area into the working settings.";
inline constexpr const char* kAdjust =
    "adjust(kind) -> dict\n\nRun a one-shot adjustment: \"exposure\", \"gain\", \"white\" or "
    "\"shading\"; returns the result and the values it moved. However the run ends "
    "(KeyboardInterrupt included), the camera's mode is set back to off before the call "
    "returns.";
inline constexpr const char* kSequencer =
    "sequencer(entry, **fields) -> dict\n\nWrite the given fields of a sequencer entry "
    "(SQW=1024, ...) and return the entry as the camera holds it; without fields only read "
    "it.";
inline constexpr const char* kLutRead =
    "lut_read(path, *, force=False)\n\nRead the three output tables into a gamma data file.";
inline constexpr const char* kLutWrite =
    "lut_write(path)\n\nSend the tables of a gamma data file to the camera.";

inline constexpr const char* kOpen =
    "open(device=None, *, simulate=None, baud=None, cl2000=None, cl2001=None, clver11=None, "
    "control_mode=None, raw_ok=False, timeout_ms=None) -> Camera\n\n"
    "Open a camera as vistrelctl does: take the port lock and make the model check. device "
    "is a path, a by-id name or an rfc2217:// or socket:// URL; simulate names a model for "
    "the simulated camera in this process; cl2000/cl2001/clver11 name a Camera Link port "
    "index; with none of them the stored channel is used. control_mode is \"user\" or "
    "\"factory\" (None: the stored mode). raw_ok allows a network port without COM port "
    "control. timeout_ms caps the wait for any one reply, as vistrelctl --timeout does. Raises "
    "ChannelError (status 4) when the channel cannot be opened or another "
    "program holds it.";
inline constexpr const char* kProvision =
    "provision(devices, file, *, area=None, jobs=None) -> list[dict]\n\n"
    "Provision every camera of devices from a setting file (model check, load, verify, store "
    "into the flash area, read back), at most jobs at once; one record per camera, as "
    "vistrelctl provision --json prints them.";

}  // namespace vistrel::python::docs
