#pragma once

#include <array>

// Control ids that the program's logic names directly, by the command or the purpose of the
// control (as core/CommandIds.h names command ids), one name per id. Number fields have their
// up-down control under the name with a `Spin` ending; page forms name each control `c<id>`.
namespace vistrel::ctl {

// Image format and region of interest.
inline constexpr int BA = 1354;  // pixel format
inline constexpr int CLCFG = 1407;
inline constexpr int TAGM = 5139;
inline constexpr int CLCF = 2570;  // sensor clock
inline constexpr int OFL = 1357;
inline constexpr int HTL = 1359;
inline constexpr int OFC = 2510;
inline constexpr int WTC = 2512;

// Exposure, exposure auto and its limits.
inline constexpr int EM = 1337;
inline constexpr int PE = 1338;
inline constexpr int PESpin = 1339;
inline constexpr int TM = 1341;
inline constexpr int PER = 1343;
inline constexpr int PERSpin = 1344;
inline constexpr int PEG = 1345;
inline constexpr int PEGSpin = 1346;
inline constexpr int PEB = 1347;
inline constexpr int PEBSpin = 1348;
inline constexpr int ColourExposures[] = {PER, PEG, PEB};
inline constexpr int ColourExposureSpins[] = {PERSpin, PEGSpin, PEBSpin};
inline constexpr int AR = 1363;
inline constexpr int ARSpin = 1364;
inline constexpr int ETM = 1368;  // per-colour exposure mode
inline constexpr int ASC = 2535;  // exposure auto
inline constexpr int ASCEA = 1376;
inline constexpr int ASCEI = 1377;
inline constexpr int ASCEASpin = 1379;
inline constexpr int ASCEISpin = 1380;

// Gain, gain auto and its limits.
inline constexpr int FGA = 1055;
inline constexpr int FGASpin = 1059;
inline constexpr int IGM = 2539;  // individual gain mode
inline constexpr int FGR = 1785;
inline constexpr int FGG = 1787;
inline constexpr int FGGSpin = 1794;
inline constexpr int FGB = 1789;
inline constexpr int AGC = 2536;  // gain auto
inline constexpr int AGCGA = 1369;
inline constexpr int AGCGI = 1370;
inline constexpr int AGCGASpin = 1373;
inline constexpr int AGCGISpin = 1374;
inline constexpr int AgcCaption = 1020;

// White balance.
inline constexpr int AWB = 1580;  // white balance auto
inline constexpr int PGR = 1780;
inline constexpr int PGB = 1784;
inline constexpr int WhiteBalanceResult = 5115;
inline constexpr int AwbCaption = 1801;
inline constexpr int AwbStatusCaption = 1841;

// Metering areas: sixteen consecutive toggles each, and their "Select all".
inline constexpr int AreaCount = 16;
inline constexpr int FirstExposureArea = 1940;
inline constexpr int LastExposureArea = FirstExposureArea + AreaCount - 1;
inline constexpr int FirstBalanceArea = 1956;
inline constexpr int LastBalanceArea = FirstBalanceArea + AreaCount - 1;
inline constexpr int ALCA = 2537;  // "Select all" of the exposure metering areas
inline constexpr int AWBA = 2540;  // "Select all" of the white balance areas

// Trigger and line sources, NAND inputs and the pulse generator clear sources: signal choices.
inline constexpr int TI = 1349;  // trigger source
inline constexpr int LS0 = 1356;
inline constexpr int LS1 = 5126;
inline constexpr int ND0IN1 = 2336;
inline constexpr int ND0IN2 = 2337;
inline constexpr int ND1IN1 = 2338;
inline constexpr int ND1IN2 = 2339;
inline constexpr int PGIN0 = 2342;
inline constexpr int PGIN1 = 2343;
inline constexpr int PGIN2 = 2344;
inline constexpr int PGIN3 = 2345;

// Counter event sources and the high-speed bit depth.
inline constexpr int CE0 = 2798;
inline constexpr int CE1 = 2803;
inline constexpr int CE2 = 2808;
inline constexpr int HighSpeedBitDepth = 2858;

// Binning, bypass, shading and level control, test pattern.
inline constexpr int HB = 1406;
inline constexpr int VB = 1408;
inline constexpr int VPB = 2590;
inline constexpr int SDM = 1404;
inline constexpr int SDCM = 1866;
inline constexpr int ShadingButton = 1405;  // recalibrates the shading
inline constexpr int ShadingResult = 1872;
inline constexpr int LevelStatusRead = 1869;
inline constexpr int LevelStatusText = 1871;
inline constexpr int TPN = 1386;

// LUT and gamma on the page.
inline constexpr int LUTC = 1381;  // LUT mode: Off, Gamma, UserLUT
// The entries of LUTC: off, the gamma curve, the user's tables.
inline constexpr int LutModeOff = 0;
inline constexpr int LutModeGamma = 1;
inline constexpr int LutModeUser = 2;
inline constexpr int GMA = 2571;
inline constexpr int GammaCaption = 1846;
inline constexpr int OpenLutButton = 1573;
inline constexpr int LutWriteRed = 2520;
inline constexpr int LutWriteGreen = 2526;
inline constexpr int LutWriteBlue = 2532;

// The LUT editor window.
inline constexpr int LutGraph = 1148;
inline constexpr int LutModeText = 1578;
inline constexpr int LutReadTable = 1574;
inline constexpr int LutWriteTable = 1146;
inline constexpr int LutClearTable = 1147;
inline constexpr int LutWriteAllTables = 1150;
inline constexpr int LutPointCount = 1576;
inline constexpr int LutConvertEditable = 1149;
inline constexpr int LutStatusStrip = 1159;

// Sequencer, multi-ROI and the video send mode.
inline constexpr int VSM = 2514;
inline constexpr int VideoModeText = 5114;
inline constexpr int SQM = 5112;
inline constexpr int SQSEL = 5113;
inline constexpr int SequencerIndex = 2767;
inline constexpr int SequencerIndexSpin = 2768;
inline constexpr int SQF = 2769;
inline constexpr int SQNI = 2771;
inline constexpr int SQW = 2773;
inline constexpr int SQH = 2775;
inline constexpr int SQOX = 2777;
inline constexpr int SQOY = 2779;
inline constexpr int SQGA = 2781;
inline constexpr int SQPE = 2783;
inline constexpr int SQHB = 2785;
inline constexpr int SQVB = 2786;
inline constexpr int SQLUT = 2787;
inline constexpr int SQGR = 2790;
inline constexpr int SQGB = 2792;
inline constexpr int SQBL = 2788;
inline constexpr int SequencerWrite = 2794;
inline constexpr int SQPER = 5131;
inline constexpr int SQPEG = 5133;
inline constexpr int SQPEB = 5135;
inline constexpr int SQGG = 5137;
inline constexpr int SequencerReset = 2568;
inline constexpr int MultiRoiSwitch = 2860;
inline constexpr int MultiRoiMode = 5117;  // SMRMD

// Colour transformation: mode, RGB mode and the nine matrix entries.
inline constexpr int CTM = 2649;
inline constexpr int CTRM = 2651;
inline constexpr int CMVRR = 2627;
inline constexpr int CMVRG = 2629;
inline constexpr int CMVRB = 2631;
inline constexpr int CMVGR = 2632;
inline constexpr int CMVGG = 2634;
inline constexpr int CMVGB = 2636;
inline constexpr int CMVBR = 2638;
inline constexpr int CMVBG = 2640;
inline constexpr int CMVBB = 2642;

// Edge and colour enhancer.
inline constexpr int EDGEN = 2654;
inline constexpr int EDGLV = 2664;
inline constexpr int COLEN = 2656;
inline constexpr int CEVALR = 2644;
inline constexpr int CEVALCY = 2646;
inline constexpr int CEVALG = 2648;
inline constexpr int CEVALMG = 2658;
inline constexpr int CEVALB = 2660;
inline constexpr int CEVALYL = 2662;

// Buttons.
inline constexpr int SoftTrigger = 1879;
inline constexpr int RecalibrateWhite = 1409;
inline constexpr int BlemishStore = 1413;
inline constexpr int RecalibratePosition = 1648;
inline constexpr int RecalibrateBlemishWhite = 2550;
inline constexpr int TemperatureRead = 1432;
inline constexpr int TemperatureText = 1134;
inline constexpr int StoreAll = 1024;
inline constexpr int CameraReset = 1014;
inline constexpr int FactoryStore = 1442;

// Factory page: identity groups ("XML Version", "Camera Model"), baud rates, blemish table.
inline constexpr std::array<int, 3> XmlDigitFields{2598, 2599, 2600};
inline constexpr int XmlVersionRead = 2601;
inline constexpr int XmlVersionWrite = 2602;
inline constexpr int ModelChoice = 1853;
inline constexpr int ModelSet = 1016;
inline constexpr int CameraBaud = 1422;  // FCBDRT: the camera's baud rate
inline constexpr int BaudLimitText = 5109;
inline constexpr int BlemishTableGroup = 2873;

// Blemish tables: the index fields of the white, green and blue tables, and the query and
// write buttons of the camera's own position lists.
inline constexpr int BlemishIndexWhite = 1417;
inline constexpr int BlemishIndexGreen = 1423;
inline constexpr int BlemishIndexBlue = 1456;
// The green and blue tables' threshold, clear button, pixel fields and count read button.
inline constexpr int BMTHWG = 1415;
inline constexpr int BMCLRG = 2871;
inline constexpr int BMPXWG = 1427;
inline constexpr int BMPYWG = 1441;
inline constexpr int BlemishCountGreen = 2581;
inline constexpr int BMTHWB = 1445;
inline constexpr int BMCLRB = 2872;
inline constexpr int BMPXWB = 1449;
inline constexpr int BMPYWB = 1460;
inline constexpr int BlemishCountBlue = 2585;
inline constexpr int Position1Query = 1522;
inline constexpr int Position1Write = 1520;
inline constexpr int Position2Query = 1524;
inline constexpr int Position2Write = 1523;
inline constexpr int Position3Query = 2559;
inline constexpr int Position3Write = 2558;
inline constexpr int Position4Query = 2565;
inline constexpr int Position4Write = 2564;

// Phase control (its commands have no name): the lens type and the fields that follow it.
inline constexpr int PhaseMode = 2759;  // lens type
inline constexpr int IrisLimitOpen = 2760;
inline constexpr int IrisLimitClose = 2761;
inline constexpr int LensSetting1 = 2752;
inline constexpr int LensSetting2 = 2754;
inline constexpr int LensSetting3 = 2756;
inline constexpr int PhaseOrder = 2764;

// "About This Control".
inline constexpr int AboutTitle = 1000;
inline constexpr int AboutVersion = 1002;
inline constexpr int AboutModelName = 1027;
inline constexpr int AboutCameraId = 1026;
inline constexpr int AboutFirmwareVersion = 1025;
inline constexpr int AboutFpgaVersion = 1174;
inline constexpr int AboutXmlVersion = 2630;
inline constexpr std::array<int, 4> AboutDeviceVersion{2412, 2413, 2414, 2415};
inline constexpr int AboutSaveDeviceVersion = 2416;
inline constexpr int AboutUserId = 1031;
inline constexpr int AboutSaveUserId = 1175;
inline constexpr int AboutProtectUserId = 1176;
inline constexpr int AboutEditUserId = 1177;
inline constexpr int AboutHelpFile = 1241;
inline constexpr int AboutViewHelpFile = 1056;
inline constexpr int AboutStatus = 1156;

// "Camera Id": one field a character, "Save" and the status line.
inline constexpr std::array<int, 10> CameraIdFields{1033, 1036, 1037, 1038, 1040,
                                                    1043, 1046, 1048, 1051, 1054};
inline constexpr int CameraIdSave = 1140;
inline constexpr int CameraIdStatus = 1157;

// The user id editor.
inline constexpr int UserIdField = 1044;
inline constexpr int UserIdSave = 1049;
inline constexpr int UserIdStatus = 1160;

// The motor lens window's status line (its buttons are in the lens button table).
inline constexpr int LensStatus = 602;

}  // namespace vistrel::ctl
