#pragma once

// How long the program waits for the camera, and how long it pauses between lines. Every
// limit and pause of the serial protocol is named here once; the operations use these names.
// All values are milliseconds.
namespace vistrel::limits {

// Waiting for an answer line.
// The usual wait for the answer to a query or a setting.
inline constexpr int kReplyMs = 2500;
// Settings the camera takes at once: setting-file lines, table entries, sequencer lines,
// the model name when the model is checked, the quick handler settings.
inline constexpr int kShortReplyMs = 1000;
// The quickest answers: counts, the multi-ROI mode, the factory store, a soft trigger.
inline constexpr int kQuickReplyMs = 500;
// Whether the camera is there at all (the model query of a probe).
inline constexpr int kProbeMs = 300;
// The model id.
inline constexpr int kModelIdMs = 3000;
// One blemish table entry.
inline constexpr int kBlemishEntryMs = 4000;
// One LUT entry of a table transfer.
inline constexpr int kLutEntryMs = 5000;
// The camera reset (CRS00).
inline constexpr int kCameraResetMs = 5000;
// After a reset: how long the camera may take to answer again, and the pause between two
// model queries while it restarts.
inline constexpr int kRestartMs = 30000;
inline constexpr int kRestartPollMs = 50;
// Storing the current setting into one flash area.
inline constexpr int kAreaStoreMs = 8000;
// Settings that make the camera work a while: loading a flash area, storing each area of
// "store all", version writes, recalibrations, a lens move, starting a one-shot adjustment.
inline constexpr int kLongSettingMs = 10000;
// Starting a shading adjustment.
inline constexpr int kShadingStartMs = 20000;
// Storing a user set.
inline constexpr int kUserSetStoreMs = 40000;

// One-shot adjustments: the status is polled this often, for at most this long.
inline constexpr int kAdjustPollMs = 1000;
inline constexpr int kAdjustTotalMs = 60000;
// The longest a lens move is followed.
inline constexpr int kLensLongestMs = 60000;

// Writing: a COM port write, a Camera Link library write.
inline constexpr int kSerialWriteMs = 20000;
inline constexpr int kClWriteMs = 500;

// Pauses.
// Between two lines of a setting file, before each store of "store all", after a read-all.
inline constexpr int kLinePauseMs = 20;
// How often a wait that can be interrupted looks whether it is.
inline constexpr int kInterruptCheckMs = 20;
// The quiet a channel must keep before a link is taken as settled.
inline constexpr int kSettleMs = 30;
// Before asking a Camera Link library again that gave up on a read before its limit.
inline constexpr int kClRetryMs = 10;
// Between two lines the terminal sends from a file.
inline constexpr int kTerminalLinePauseMs = 50;

}  // namespace vistrel::limits
