#pragma once

// Control ids of the one-shot adjustments and the entry tables (image, sequencer, blemish,
// LUT and multi-ROI pages).
namespace vistrel::adjustctl {

// Exposure auto and its limits, the manual exposure controls.
inline constexpr int kExposureAuto = 2535;     // ASC
inline constexpr int kExposureAutoMax = 1376;  // ASCEA
inline constexpr int kExposureAutoMin = 1377;  // ASCEI
inline constexpr int kExposureAutoMaxSpin = 1379;
inline constexpr int kExposureAutoMinSpin = 1380;
inline constexpr int kColourExposureMode = 1368;  // ETM
inline constexpr int kExposure = 1338;            // PE
inline constexpr int kExposureSpin = 1339;
inline constexpr int kColourExposures[] = {1343, 1345, 1347};  // PER, PEG, PEB
inline constexpr int kColourExposureSpins[] = {1344, 1346, 1348};

// Gain auto and its limits, the gains.
inline constexpr int kGainAuto = 2536;     // AGC
inline constexpr int kGainAutoMax = 1369;  // AGCGA
inline constexpr int kGainAutoMin = 1370;  // AGCGI
inline constexpr int kGainAutoMaxSpin = 1373;
inline constexpr int kGainAutoMinSpin = 1374;
inline constexpr int kIndividualGainMode = 2539;  // IGM
inline constexpr int kGain = 1055;                // FGA
inline constexpr int kGainSpin = 1059;
inline constexpr int kGreenGain = 1787;  // FGG
inline constexpr int kGreenGainSpin = 1794;
inline constexpr int kRedGain = 1785;   // FGR
inline constexpr int kBlueGain = 1789;  // FGB

// White balance.
inline constexpr int kWhiteAuto = 1580;  // AWB
inline constexpr int kWhiteResult = 5115;
inline constexpr int kRedBalance = 1780;   // PGR
inline constexpr int kBlueBalance = 1784;  // PGB

// Shading and level control.
inline constexpr int kRecalibrateShading = 1405;
inline constexpr int kShadingResult = 1872;
inline constexpr int kReadLevelStatus = 1869;
inline constexpr int kLevelStatus = 1871;

// Metering areas: sixteen consecutive toggles each, and their "Select all".
inline constexpr int kExposureAreaFirst = 1940;
inline constexpr int kWhiteAreaFirst = 1956;
inline constexpr int kAreaCount = 16;
inline constexpr int kExposureAreaAll = 2537;  // ALCA
inline constexpr int kWhiteAreaAll = 2540;     // AWBA

// Sequencer entry.
inline constexpr int kSequencerIndex = 2767;
inline constexpr int kSequencerIndexSpin = 2768;
inline constexpr int kSequencerWrite = 2794;
inline constexpr int kSequencerGain = 2781;      // SQGA
inline constexpr int kSequencerLut = 2787;       // SQLUT
inline constexpr int kSequencerWidth = 2773;     // SQW
inline constexpr int kSequencerHeight = 2775;    // SQH
inline constexpr int kSequencerOffsetX = 2777;   // SQOX
inline constexpr int kSequencerOffsetY = 2779;   // SQOY
inline constexpr int kSequencerBinningH = 2785;  // SQHB
inline constexpr int kSequencerBinningV = 2786;  // SQVB

// Sensor multi-ROI and the video send mode.
inline constexpr int kMultiRoiSwitch = 2860;
inline constexpr int kMultiRoiMode = 5117;   // SMRMD
inline constexpr int kSequencerMode = 5112;  // SQM
inline constexpr int kVideoSendModeText = 5114;

}  // namespace vistrel::adjustctl
