#pragma once

// Command ids that the program's logic names directly (the positions in the command table),
// one name per id, in table order. Commands without a name in the table carry the name of
// what they do.
namespace vistrel::cmd {

// Identity and status.
inline constexpr int EB = 0;
inline constexpr int VN = 3;
inline constexpr int MD = 4;
inline constexpr int UD = 5;
inline constexpr int DV = 6;
inline constexpr int ERRER = 7;
inline constexpr int CRS00 = 8;

// Exposure and trigger.
inline constexpr int EM = 9;
inline constexpr int ETM = 10;
inline constexpr int PE = 11;
inline constexpr int PER = 12;
inline constexpr int PEG = 13;
inline constexpr int PEB = 14;
inline constexpr int TM = 15;
inline constexpr int STRG = 16;
inline constexpr int TI = 18;

// Signal sources, the motor lens.
inline constexpr int PGIN0 = 55;
inline constexpr int PGIN1 = 56;
inline constexpr int PGIN2 = 57;
inline constexpr int PGIN3 = 58;
inline constexpr int MLI = 68;  // lens iris
inline constexpr int MLZ = 69;  // lens zoom
inline constexpr int MLF = 70;  // lens focus

// Image format, region of interest and gain.
inline constexpr int BA = 71;
inline constexpr int OFL = 72;
inline constexpr int HTL = 73;
inline constexpr int OFC = 74;
inline constexpr int WTC = 75;
inline constexpr int CLCFG = 76;
inline constexpr int TAGM = 77;
inline constexpr int AR = 78;
inline constexpr int FGA = 80;
inline constexpr int ATCS = 85;  // status of a one-shot exposure or gain run
inline constexpr int IGM = 89;
inline constexpr int FGR = 92;
inline constexpr int FGG = 93;
inline constexpr int FGB = 94;
inline constexpr int AWRS = 116;       // white balance result
inline constexpr int ATCSAgain = 122;  // the one-shot run status under its second id

// Gamma and the LUT tables.
inline constexpr int GMA = 127;
inline constexpr int LUTSR = 128;
inline constexpr int LUTSG = 129;
inline constexpr int LUTSB = 130;
inline constexpr int LUTR = 131;
inline constexpr int LUTG = 132;
inline constexpr int LUTB = 133;

// Shading, binning and the blemish tables.
inline constexpr int RS = 140;    // starts the shading recalibration
inline constexpr int SDRS = 141;  // shading recalibration status
inline constexpr int HB = 142;
inline constexpr int VB = 143;
inline constexpr int BMRCW = 145;
inline constexpr int BMS = 146;
inline constexpr int BMPXW = 150;
inline constexpr int BMPYW = 151;
inline constexpr int BNUM = 152;
inline constexpr int BMPXWR = 156;
inline constexpr int BMPYWR = 157;
inline constexpr int BNUMR = 158;
inline constexpr int BMPXWG = 162;
inline constexpr int BMPYWG = 163;
inline constexpr int BNUMG = 164;
inline constexpr int BMPXWB = 168;
inline constexpr int BMPYWB = 169;
inline constexpr int BNUMB = 170;
inline constexpr int TMP0 = 171;

// Sequencer and video send mode.
inline constexpr int VSM = 207;
inline constexpr int SQM = 209;
inline constexpr int SQSEL = 210;
inline constexpr int SQPGR1 = 351;
inline constexpr int SQPGB10 = 370;
inline constexpr int SQIDX = 371;  // the sequencer's current entry
inline constexpr int SQRST = 372;
inline constexpr int CLCF = 374;

// Flash areas and identity.
inline constexpr int LD = 384;
inline constexpr int SA = 385;
inline constexpr int SA00 = 387;
inline constexpr int ULCK = 388;
inline constexpr int ID = 389;
inline constexpr int MD00 = 390;
inline constexpr int FPVN = 392;

// Commands without a name: blemish recalibration and the camera's own position lists.
inline constexpr int RecalibratePosition = 397;
inline constexpr int Position1 = 399;
inline constexpr int Position2 = 400;
inline constexpr int RecalibrateBlemishWhite = 401;
inline constexpr int Position3 = 403;
inline constexpr int Position4 = 404;

inline constexpr int ALCST = 521;  // level control status
inline constexpr int FBNUM = 522;
inline constexpr int FBBNUM = 523;
inline constexpr int XMLVR = 526;
inline constexpr int SMRMD = 594;  // sensor multi-ROI mode

// Phase control and the timer (without a name), the counters.
inline constexpr int PhaseValue = 597;
inline constexpr int PhaseIndex = 601;
inline constexpr int CE0 = 609;
inline constexpr int CR0 = 610;
inline constexpr int CV0 = 611;
inline constexpr int CE1 = 612;
inline constexpr int CR1 = 613;
inline constexpr int CV1 = 614;
inline constexpr int CE2 = 615;
inline constexpr int CR2 = 616;
inline constexpr int CV2 = 617;
inline constexpr int TimerEnable = 618;
inline constexpr int TimerReset = 619;
inline constexpr int TimerValue = 620;

// Baud rates.
inline constexpr int FCBDRT = 638;
inline constexpr int SBDRT = 639;

}  // namespace vistrel::cmd
