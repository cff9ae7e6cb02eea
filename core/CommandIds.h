#pragma once

// Command ids that the program's logic names directly (the positions in the command table).
namespace vistrel::cmd {

inline constexpr int EB = 0;
inline constexpr int VN = 3;
inline constexpr int MD = 4;
inline constexpr int UD = 5;
inline constexpr int DV = 6;
inline constexpr int CRS00 = 8;
inline constexpr int EM = 9;
inline constexpr int ETM = 10;
inline constexpr int PE = 11;
inline constexpr int TM = 15;
inline constexpr int TI = 18;
inline constexpr int BA = 71;
inline constexpr int CLCFG = 76;
inline constexpr int TAGM = 77;
inline constexpr int FGA = 80;
inline constexpr int GMA = 127;
inline constexpr int LUTSR = 128;
inline constexpr int LUTSG = 129;
inline constexpr int LUTSB = 130;
inline constexpr int BMPXW = 150;
inline constexpr int BMPYW = 151;
inline constexpr int BMPXWG = 162;
inline constexpr int BMPYWG = 163;
inline constexpr int BMPXWB = 168;
inline constexpr int BMPYWB = 169;
inline constexpr int LUTR = 131;
inline constexpr int LUTG = 132;
inline constexpr int LUTB = 133;
inline constexpr int VSM = 207;
inline constexpr int SQPGR1 = 351;
inline constexpr int SQPGB10 = 370;
inline constexpr int CLCF = 374;
inline constexpr int LD = 384;
inline constexpr int SA = 385;
inline constexpr int SA00 = 387;
inline constexpr int ULCK = 388;
inline constexpr int ID = 389;
inline constexpr int MD00 = 390;
inline constexpr int FPVN = 392;
inline constexpr int XMLVR = 526;
inline constexpr int FCBDRT = 638;
inline constexpr int SBDRT = 639;

}  // namespace vistrel::cmd
