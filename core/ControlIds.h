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

// The other setting rows the model read lists name; rows whose command has no name go by
// the command's number.
namespace vistrel::ctl {

inline constexpr int STRG = 2874;
inline constexpr int TA = 1350;
inline constexpr int TO = 1352;
inline constexpr int LI0 = 1361;
inline constexpr int LI1 = 5127;
inline constexpr int PGDEV = 2340;
inline constexpr int PGL0 = 2293;
inline constexpr int PGST0 = 2301;
inline constexpr int PGEN0 = 2309;
inline constexpr int PGRPT0 = 2318;
inline constexpr int PGCM0 = 2326;
inline constexpr int PGSM0 = 2332;
inline constexpr int PGL1 = 2295;
inline constexpr int PGST1 = 2303;
inline constexpr int PGEN1 = 2311;
inline constexpr int PGRPT1 = 2320;
inline constexpr int PGCM1 = 2327;
inline constexpr int PGSM1 = 2333;
inline constexpr int PGL2 = 2297;
inline constexpr int PGST2 = 2305;
inline constexpr int PGEN2 = 2313;
inline constexpr int PGRPT2 = 2322;
inline constexpr int PGCM2 = 2329;
inline constexpr int PGSM2 = 2334;
inline constexpr int PGL3 = 2299;
inline constexpr int PGST3 = 2307;
inline constexpr int PGEN3 = 2316;
inline constexpr int PGRPT3 = 2324;
inline constexpr int PGCM3 = 2331;
inline constexpr int PGSM3 = 2335;
inline constexpr int PGINV0 = 2346;
inline constexpr int PGINV1 = 2347;
inline constexpr int PGINV2 = 2348;
inline constexpr int PGINV3 = 2349;
inline constexpr int ND0INV1 = 2350;
inline constexpr int ND0INV2 = 2351;
inline constexpr int ND1INV1 = 2352;
inline constexpr int ND1INV2 = 2353;
inline constexpr int OPTFL = 5128;
inline constexpr int AGCF = 1366;
inline constexpr int BL = 1795;
inline constexpr int Command96 = 1842;
inline constexpr int BLR1 = 1752;
inline constexpr int BLB1 = 1757;
inline constexpr int TRGOP = 2538;
inline constexpr int BMW = 1387;
inline constexpr int BMTHW = 1410;
inline constexpr int ALCS = 1882;
inline constexpr int SQLUTSecond = 2569;  // SQLUT under its second command id
inline constexpr int HBM = 2650;
inline constexpr int VBM = 2653;
inline constexpr int AWBS = 2691;
inline constexpr int Command398 = 1448;
inline constexpr int Command402 = 2552;
inline constexpr int Command413 = 1470;
inline constexpr int Command438 = 1737;
inline constexpr int Command439 = 1751;
inline constexpr int Command487 = 2408;
inline constexpr int Command527 = 2595;
inline constexpr int Command540 = 2684;
inline constexpr int Command541 = 2683;
inline constexpr int Command542 = 2685;
inline constexpr int Command545 = 2696;
inline constexpr int SMRW1 = 2700;
inline constexpr int SMRW2 = 2702;
inline constexpr int SMRW3 = 2704;
inline constexpr int SMRW4 = 2706;
inline constexpr int SMRH1 = 2708;
inline constexpr int SMRH2 = 2710;
inline constexpr int SMRH3 = 2712;
inline constexpr int SMRH4 = 2714;
inline constexpr int SMROX1 = 2716;
inline constexpr int SMROX2 = 2718;
inline constexpr int SMROX3 = 2720;
inline constexpr int SMROX4 = 2722;
inline constexpr int SMROY1 = 2724;
inline constexpr int SMROY2 = 2726;
inline constexpr int SMROY3 = 2728;
inline constexpr int SMROY4 = 2730;
inline constexpr int SMROH1 = 2732;
inline constexpr int SMROH2 = 2734;
inline constexpr int SMROH3 = 2736;
inline constexpr int SMROH4 = 2738;
inline constexpr int SMROV1 = 2740;
inline constexpr int SMROV2 = 2742;
inline constexpr int SMROV3 = 2744;
inline constexpr int SMROV4 = 2746;
inline constexpr int Command595 = 2758;
inline constexpr int PhaseValue = 2748;
inline constexpr int Command598 = 2750;
inline constexpr int PhaseIndex = 2762;
inline constexpr int Command605 = 2763;
inline constexpr int CSQI = 2795;
inline constexpr int SQSS = 5129;
inline constexpr int CV0 = 2800;
inline constexpr int CV1 = 2805;
inline constexpr int CV2 = 2810;
inline constexpr int TimerEnable = 2865;
inline constexpr int TimerValue = 2867;
inline constexpr int USC0 = 2856;
inline constexpr int USC1 = 2857;
inline constexpr int USC2 = 2859;
inline constexpr int USC3 = 2861;
inline constexpr int Command626 = 2813;
inline constexpr int Command627 = 2815;
inline constexpr int Command628 = 2817;
inline constexpr int Command629 = 2819;
inline constexpr int Command630 = 2821;
inline constexpr int Command631 = 2823;
inline constexpr int Command632 = 2825;
inline constexpr int Command633 = 2827;
inline constexpr int Command634 = 2829;
inline constexpr int Command635 = 2831;
inline constexpr int Command636 = 2833;
inline constexpr int Command637 = 2864;
inline constexpr int SMRW5 = 5140;
inline constexpr int SMRW6 = 5142;
inline constexpr int SMRW7 = 5144;
inline constexpr int SMRW8 = 5146;
inline constexpr int SMRH5 = 5148;
inline constexpr int SMRH6 = 5150;
inline constexpr int SMRH7 = 5152;
inline constexpr int SMRH8 = 5154;
inline constexpr int SMROX5 = 5156;
inline constexpr int SMROX6 = 5158;
inline constexpr int SMROX7 = 5160;
inline constexpr int SMROX8 = 5162;
inline constexpr int SMROY5 = 5164;
inline constexpr int SMROY6 = 5166;
inline constexpr int SMROY7 = 5168;
inline constexpr int SMROY8 = 5170;
inline constexpr int SMROH5 = 5172;
inline constexpr int SMROH6 = 5174;
inline constexpr int SMROH7 = 5176;
inline constexpr int SMROH8 = 5178;
inline constexpr int SMROV5 = 5180;
inline constexpr int SMROV6 = 5182;
inline constexpr int SMROV7 = 5184;
inline constexpr int SMROV8 = 5186;
inline constexpr int TD = 1382;

}  // namespace vistrel::ctl
