#pragma once

// Command ids the parameter handlers name besides those of core/CommandIds.h.
namespace vistrel::cmd {

inline constexpr int PER = 12;
inline constexpr int PEG = 13;
inline constexpr int PEB = 14;
inline constexpr int STRG = 16;
inline constexpr int PGIN0 = 55;
inline constexpr int PGIN1 = 56;
inline constexpr int PGIN2 = 57;
inline constexpr int PGIN3 = 58;
inline constexpr int OFL = 72;
inline constexpr int HTL = 73;
inline constexpr int OFC = 74;
inline constexpr int WTC = 75;
inline constexpr int AR = 78;
inline constexpr int IGM = 89;
inline constexpr int FGR = 92;
inline constexpr int FGG = 93;
inline constexpr int FGB = 94;
inline constexpr int HB = 142;
inline constexpr int VB = 143;
inline constexpr int BMRCW = 145;
inline constexpr int BMS = 146;
inline constexpr int TMP0 = 171;
inline constexpr int SQM = 209;
inline constexpr int SQSEL = 210;
inline constexpr int SQRST = 372;
inline constexpr int RecalibratePosition = 397;      // no command name
inline constexpr int RecalibrateBlemishWhite = 401;  // no command name
inline constexpr int PhaseValue = 597;               // no command name
inline constexpr int PhaseIndex = 601;               // no command name
inline constexpr int CE0 = 609;
inline constexpr int CR0 = 610;
inline constexpr int CV0 = 611;
inline constexpr int CE1 = 612;
inline constexpr int CR1 = 613;
inline constexpr int CV1 = 614;
inline constexpr int CE2 = 615;
inline constexpr int CR2 = 616;
inline constexpr int CV2 = 617;
inline constexpr int TimerEnable = 618;  // no command name
inline constexpr int TimerReset = 619;   // no command name
inline constexpr int TimerValue = 620;   // no command name

}  // namespace vistrel::cmd
