#include "core/ParameterTable.h"

namespace vistrel {

namespace {

constexpr auto kCheck = ControlKind::Check;
constexpr auto kChoice = ControlKind::Choice;
constexpr auto kNumber = ControlKind::Number;
constexpr auto kAction = ControlKind::Action;
constexpr auto kNone = ParamClass::NotStored;
constexpr auto kUser = ParamClass::User;
constexpr auto kFactory = ParamClass::Factory;

}  // namespace

// Control id, command id, kind, range kind, class, minimum, maximum, initial value,
// last-sent value, in-file flag.
const std::vector<ParameterEntry>& InitialParameterRows() {
  // clang-format off
  static const std::vector<ParameterEntry> rows = {
      {1349, 18, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // TI
      {2874, 16, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // STRG
      {1350, 19, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // TA
      {1352, 17, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // TO
      {1356, 20, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // LS0
      {1361, 23, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // LI0
      {5126, 21, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // LS1
      {5127, 24, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // LI1
      {2340, 26, kNumber, 0, kUser, 1, 4096, 1, 0, 1},  // PGDEV
      {2293, 27, kNumber, 0, kUser, 1, 1048575, 1, 0, 1},  // PGL0
      {2301, 31, kNumber, 0, kUser, 0, 1048574, 0, 0, 1},  // PGST0
      {2309, 35, kNumber, 0, kUser, 1, 1048575, 1, 0, 1},  // PGEN0
      {2318, 39, kNumber, 0, kUser, 0, 255, 0, 0, 1},  // PGRPT0
      {2326, 43, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // PGCM0
      {2332, 47, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // PGSM0
      {2295, 28, kNumber, 0, kUser, 1, 1048575, 1, 0, 1},  // PGL1
      {2303, 32, kNumber, 0, kUser, 0, 1048574, 0, 0, 1},  // PGST1
      {2311, 36, kNumber, 0, kUser, 1, 1048575, 1, 0, 1},  // PGEN1
      {2320, 40, kNumber, 0, kUser, 0, 255, 0, 0, 1},  // PGRPT1
      {2327, 44, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // PGCM1
      {2333, 48, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // PGSM1
      {2297, 29, kNumber, 0, kUser, 1, 1048575, 1, 0, 1},  // PGL2
      {2305, 33, kNumber, 0, kUser, 0, 1048574, 0, 0, 1},  // PGST2
      {2313, 37, kNumber, 0, kUser, 1, 1048575, 1, 0, 1},  // PGEN2
      {2322, 41, kNumber, 0, kUser, 0, 255, 0, 0, 1},  // PGRPT2
      {2329, 45, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // PGCM2
      {2334, 49, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // PGSM2
      {2299, 30, kNumber, 0, kUser, 1, 1048575, 1, 0, 1},  // PGL3
      {2307, 34, kNumber, 0, kUser, 0, 1048574, 0, 0, 1},  // PGST3
      {2316, 38, kNumber, 0, kUser, 1, 1048575, 1, 0, 1},  // PGEN3
      {2324, 42, kNumber, 0, kUser, 0, 255, 0, 0, 1},  // PGRPT3
      {2331, 46, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // PGCM3
      {2335, 50, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // PGSM3
      {2336, 51, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // ND0IN1
      {2338, 52, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // ND1IN1
      {2337, 53, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // ND0IN2
      {2339, 54, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // ND1IN2
      {2342, 55, kChoice, 0, kUser, 0, 18, 0, 0, 1},  // PGIN0
      {2346, 59, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // PGINV0
      {2343, 56, kChoice, 0, kUser, 0, 18, 0, 0, 1},  // PGIN1
      {2347, 60, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // PGINV1
      {2344, 57, kChoice, 0, kUser, 0, 18, 0, 0, 1},  // PGIN2
      {2348, 61, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // PGINV2
      {2345, 58, kChoice, 0, kUser, 0, 18, 0, 0, 1},  // PGIN3
      {2349, 62, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // PGINV3
      {2350, 63, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // ND0INV1
      {2351, 64, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // ND0INV2
      {2352, 65, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // ND1INV1
      {2353, 66, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // ND1INV2
      {5128, 67, kChoice, 0, kUser, 0, 5, 0, 0, 1},  // OPTFL
      {1406, 142, kChoice, 0, kUser, 1, 2, 1, 0, 1},  // HB
      {1408, 143, kChoice, 0, kUser, 1, 2, 1, 0, 1},  // VB
      {1354, 71, kChoice, 0, kUser, 3, 5, 3, 0, 1},  // BA
      {1357, 72, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // OFL
      {1359, 73, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // HTL
      {2510, 74, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // OFC
      {2512, 75, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // WTC
      {1407, 76, kChoice, 0, kUser, 0, 3, 1, 0, 0},  // CLCFG
      {5139, 77, kChoice, 0, kUser, 0, 7, 3, 0, 1},  // TAGM
      {1363, 78, kNumber, 0, kUser, 1, 8000000, 1, 0, 1},  // AR
      {1338, 11, kNumber, 0, kUser, 1, 8000000, 1, 0, 1},  // PE
      {1343, 12, kNumber, 0, kNone, 1, 8000000, 1, 0, 0},  // PER
      {1345, 13, kNumber, 0, kNone, 1, 8000000, 1, 0, 0},  // PEG
      {1347, 14, kNumber, 0, kNone, 1, 8000000, 1, 0, 0},  // PEB
      {1341, 15, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // TM
      {1337, 9, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // EM
      {1368, 10, kChoice, 0, kNone, 0, 1, 0, 0, 0},  // ETM
      {1055, 80, kNumber, 0, kUser, 100, 1600, 100, 0, 1},  // FGA
      {2536, 84, kChoice, 0, kUser, 0, 2, 0, 0, 1},  // AGC
      {1366, 86, kNumber, 0, kUser, 30, 95, 30, 0, 1},  // AGCF
      {1369, 87, kNumber, 0, kUser, 101, 1600, 101, 0, 1},  // AGCGA
      {1370, 88, kNumber, 0, kUser, 100, 1600, 100, 0, 1},  // AGCGI
      {2539, 89, kChoice, 0, kNone, 0, 1, 0, 0, 0},  // IGM
      {1780, 90, kNumber, 0, kUser, 44, 562, 100, 0, 1},  // PGR
      {1784, 91, kNumber, 0, kUser, 44, 562, 100, 0, 1},  // PGB
      {1785, 92, kNumber, 0, kNone, 100, 6400, 100, 0, 0},  // FGR
      {1787, 93, kNumber, 0, kNone, 100, 6400, 100, 0, 0},  // FGG
      {1789, 94, kNumber, 0, kNone, 100, 6400, 100, 0, 0},  // FGB
      {1795, 95, kNumber, 0, kUser, -133, 255, 0, 0, 1},  // BL
      {1842, 96, kNumber, 0, kFactory, 0, 16383, 0, 0, 0},
      {1752, 100, kNumber, 0, kUser, -64, 64, 0, 0, 1},  // BLR1
      {1757, 101, kNumber, 0, kUser, -64, 64, 0, 0, 1},  // BLB1
      {1580, 115, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // AWB
      {2535, 121, kChoice, 0, kUser, 0, 2, 0, 0, 1},  // ASC
      {2538, 123, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // TRGOP
      {1376, 124, kNumber, 0, kUser, 100, 8000000, 100, 0, 1},  // ASCEA
      {1377, 125, kNumber, 0, kUser, 100, 8000000, 100, 0, 1},  // ASCEI
      {1381, 126, kChoice, 0, kUser, 0, 2, 0, 0, 0},  // LUTC
      {2571, 127, kChoice, 0, kUser, 0, 2, 0, 0, 0},  // GMA
      {2515, 131, kNumber, 0, kUser, 0, 256, 0, 0, 0},  // LUTR
      {2517, 131, kNumber, 0, kUser, 0, 4095, 0, 0, 0},  // LUTR
      {2521, 132, kNumber, 0, kUser, 0, 256, 0, 0, 0},  // LUTG
      {2523, 132, kNumber, 0, kUser, 0, 4095, 0, 0, 0},  // LUTG
      {2527, 133, kNumber, 0, kUser, 0, 256, 0, 0, 0},  // LUTB
      {2529, 133, kNumber, 0, kUser, 0, 4095, 0, 0, 0},  // LUTB
      {1386, 134, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // TPN
      {1387, 144, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // BMW
      {1404, 138, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // SDM
      {1866, 139, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // SDCM
      {1405, 140, kAction, 0, kNone, 0, 0, 0, 0, 0},  // RS
      {1413, 146, kAction, 0, kNone, 0, 0, 0, 0, 0},  // BMS
      {1410, 147, kNumber, 0, kUser, 1, 100, 1, 0, 1},  // BMTHW
      {2870, 148, kAction, 0, kNone, 0, 0, 0, 0, 0},  // BMCLR
      {1417, 149, kNumber, 0, kNone, 1, 800, 1, 0, 0},
      {1424, 150, kNumber, 0, kUser, -1, 2559, -1, 0, 0},  // BMPXW
      {1438, 151, kNumber, 0, kUser, -1, 2047, -1, 0, 0},  // BMPYW
      {2577, 152, kAction, 0, kNone, 0, 0, 0, 0, 0},  // BNUM
      {1415, 159, kNumber, 0, kNone, 1, 100, 1, 0, 0},  // BMTHWG
      {2871, 160, kAction, 0, kNone, 0, 0, 0, 0, 0},  // BMCLRG
      {1423, 161, kNumber, 0, kNone, 1, 200, 1, 0, 0},
      {1427, 162, kNumber, 0, kUser, -1, 2559, -1, 0, 0},  // BMPXWG
      {1441, 163, kNumber, 0, kUser, -1, 2047, -1, 0, 0},  // BMPYWG
      {2581, 158, kAction, 0, kNone, 0, 0, 0, 0, 0},  // BNUMR
      {1445, 165, kNumber, 0, kNone, 1, 100, 1, 0, 0},  // BMTHWB
      {2872, 166, kAction, 0, kNone, 0, 0, 0, 0, 0},  // BMCLRB
      {1456, 167, kNumber, 0, kNone, 1, 200, 1, 0, 0},
      {1449, 168, kNumber, 0, kUser, -1, 2559, -1, 0, 0},  // BMPXWB
      {1460, 169, kNumber, 0, kUser, -1, 2047, -1, 0, 0},  // BMPYWB
      {2585, 170, kAction, 0, kNone, 0, 0, 0, 0, 0},  // BNUMB
      {1882, 422, kNumber, 0, kUser, 1, 8, 4, 0, 1},  // ALCS
      {2537, 173, kCheck, 0, kUser, 0, 1, 0, 0, 1},  // ALCA
      {1940, 174, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCLR
      {1941, 175, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCLMR
      {1942, 176, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCLML
      {1943, 177, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCLL
      {1944, 178, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCMLR
      {1945, 179, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCMLMR
      {1946, 180, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCMLML
      {1947, 181, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCMLL
      {1948, 182, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCMHR
      {1949, 183, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCMHMR
      {1950, 184, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCMHML
      {1951, 185, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCMHL
      {1952, 186, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCHR
      {1953, 187, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCHMR
      {1954, 188, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCHML
      {1955, 189, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // ALCHL
      {2540, 190, kCheck, 0, kUser, 0, 1, 0, 0, 1},  // AWBA
      {1956, 191, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBLR
      {1957, 192, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBLMR
      {1958, 193, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBLML
      {1959, 194, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBLL
      {1960, 195, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBMLR
      {1961, 196, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBMLMR
      {1962, 197, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBMLML
      {1963, 198, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBMLL
      {1964, 199, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBMHR
      {1965, 200, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBMHMR
      {1966, 201, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBMHML
      {1967, 202, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBMHL
      {1968, 203, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBHR
      {1969, 204, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBHMR
      {1970, 205, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBHML
      {1971, 206, kCheck, 0, kUser, 0, 1, 1, 0, 1},  // AWBHL
      {2514, 207, kChoice, 0, kUser, 0, 2, 0, 0, 0},  // VSM
      {2548, 212, kNumber, 0, kUser, 1, 255, 1, 0, 0},
      {2566, 371, kAction, 0, kNone, 0, 0, 0, 0, 0},  // SQIDX
      {2568, 372, kAction, 0, kNone, 0, 0, 0, 0, 0},  // SQRST
      {2569, 373, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // SQLUT (second id)
      {2570, 374, kChoice, 0, kUser, 0, 0, 0, 0, 1},  // CLCF
      {2590, 375, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // VPB
      {2604, 378, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // ABG
      {2650, 381, kChoice, 0, kUser, 0, 1, 1, 0, 1},  // HBM
      {2653, 382, kChoice, 0, kUser, 0, 1, 1, 0, 1},  // VBM
      {2691, 543, kNumber, 0, kUser, 1, 8, 4, 4, 1},  // AWBS
      {1648, 397, kAction, 0, kNone, 0, 0, 0, 0, 0},
      {1448, 398, kNumber, 0, kFactory, 1, 100, 10, 0, 1},
      {1452, 399, kNumber, 0, kFactory, 1, 512, 1, 0, 0},
      {1457, 399, kNumber, 0, kFactory, -1, 2559, 0, 0, 0},
      {1461, 400, kNumber, 0, kFactory, 1, 512, 1, 0, 0},
      {1465, 400, kNumber, 0, kFactory, -1, 2047, 0, 0, 0},
      {2550, 401, kAction, 0, kNone, 0, 0, 0, 0, 0},
      {2552, 402, kNumber, 0, kFactory, 1, 100, 10, 0, 1},
      {2554, 403, kNumber, 0, kFactory, 1, 512, 1, 0, 0},
      {2556, 403, kNumber, 0, kFactory, -1, 2559, 0, 0, 0},
      {2560, 404, kNumber, 0, kFactory, 1, 512, 1, 0, 0},
      {2562, 404, kNumber, 0, kFactory, -1, 2047, 0, 0, 0},
      {1470, 413, kChoice, 0, kFactory, 0, 0, 0, 0, 0},
      {1830, 424, kNumber, 0, kFactory, -891, 1000, 0, 0, 0},
      {1832, 425, kNumber, 0, kFactory, -891, 1000, 0, 0, 0},
      {1834, 426, kNumber, 0, kFactory, -891, 1000, 0, 0, 0},
      {1771, 429, kNumber, 0, kFactory, 8192, 24576, 0, 0, 0},
      {1775, 430, kNumber, 0, kFactory, 8192, 24576, 0, 0, 0},
      {1779, 431, kNumber, 0, kFactory, 8192, 24576, 0, 0, 0},
      {1820, 432, kNumber, 0, kFactory, 8192, 24576, 0, 0, 0},
      {1826, 433, kNumber, 0, kFactory, 8192, 24576, 0, 0, 0},
      {1828, 434, kNumber, 0, kFactory, 8192, 24576, 0, 0, 0},
      {1786, 435, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1793, 436, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1800, 437, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1737, 438, kNumber, 0, kFactory, -2048, 2047, 0, 0, 1},
      {1751, 439, kNumber, 0, kFactory, -2048, 2047, 0, 0, 1},
      {1741, 440, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1754, 441, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1743, 442, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1758, 443, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1747, 444, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1762, 445, kNumber, 0, kFactory, -64, 64, 0, 0, 0},
      {1897, 472, kChoice, 0, kFactory, 0, 0, 1, 0, 0},
      {1898, 473, kNumber, 0, kFactory, 0, 255, 98, 0, 0},
      {1899, 474, kNumber, 0, kFactory, 0, 255, 98, 0, 0},
      {1900, 475, kNumber, 0, kFactory, 0, 255, 98, 0, 0},  // BOCM3
      {1901, 476, kNumber, 0, kFactory, 0, 255, 98, 0, 0},  // BOCM4
      {1931, 482, kChoice, 0, kFactory, 0, 0, 0, 0, 0},
      {1932, 483, kNumber, 0, kFactory, 0, 255, 0, 0, 0},
      {1934, 484, kNumber, 0, kFactory, 0, 255, 0, 0, 0},  // DBSTO1
      {1936, 485, kNumber, 0, kFactory, 0, 255, 0, 0, 0},
      {1938, 486, kNumber, 0, kFactory, 0, 255, 0, 0, 0},  // DBSTO2
      {2408, 487, kNumber, 0, kFactory, -2048, 2047, 0, 0, 1},
      {2576, 519, kChoice, 0, kFactory, 0, 1, 0, 0, 0},  // FAS
      {1869, 521, kAction, 0, kFactory, 0, 0, 0, 0, 0},  // ALCST
      {2580, 522, kAction, 0, kNone, 0, 0, 0, 0, 0},  // FBNUM
      {2584, 523, kAction, 0, kNone, 0, 0, 0, 0, 0},  // FBBNUM
      {2595, 527, kNumber, 0, kFactory, 16, 30, 23, 0, 1},
      {2684, 540, kChoice, 0, kFactory, 0, 2, 0, 0, 0},
      {2683, 541, kChoice, 0, kFactory, 0, 2, 0, 0, 0},
      {2685, 542, kChoice, 0, kFactory, 0, 2, 0, 0, 0},
      {2696, 545, kNumber, 0, kFactory, 10, 800, 110, 0, 1},
      {2700, 546, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // SMRW1
      {2702, 547, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // SMRW2
      {2704, 548, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // SMRW3
      {2706, 549, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // SMRW4
      {5140, 550, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // SMRW5
      {5142, 551, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // SMRW6
      {5144, 552, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // SMRW7
      {5146, 553, kNumber, 0, kUser, 96, 4112, 4112, 0, 1},  // SMRW8
      {2708, 554, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // SMRH1
      {2710, 555, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // SMRH2
      {2712, 556, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // SMRH3
      {2714, 557, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // SMRH4
      {5148, 558, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // SMRH5
      {5150, 559, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // SMRH6
      {5152, 560, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // SMRH7
      {5154, 561, kNumber, 0, kUser, 8, 3008, 3008, 0, 1},  // SMRH8
      {2716, 562, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // SMROX1
      {2718, 563, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // SMROX2
      {2720, 564, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // SMROX3
      {2722, 565, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // SMROX4
      {5156, 566, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // SMROX5
      {5158, 567, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // SMROX6
      {5160, 568, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // SMROX7
      {5162, 569, kNumber, 0, kUser, 0, 4016, 0, 0, 1},  // SMROX8
      {2724, 570, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // SMROY1
      {2726, 571, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // SMROY2
      {2728, 572, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // SMROY3
      {2730, 573, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // SMROY4
      {5164, 574, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // SMROY5
      {5166, 575, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // SMROY6
      {5168, 576, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // SMROY7
      {5170, 577, kNumber, 0, kUser, 0, 3000, 0, 0, 1},  // SMROY8
      {2732, 578, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROH1
      {2734, 579, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROH2
      {2736, 580, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROH3
      {2738, 581, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROH4
      {5172, 582, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROH5
      {5174, 583, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROH6
      {5176, 584, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROH7
      {5178, 585, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROH8
      {2740, 586, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROV1
      {2742, 587, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROV2
      {2744, 588, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROV3
      {2746, 589, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROV4
      {5180, 590, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROV5
      {5182, 591, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROV6
      {5184, 592, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROV7
      {5186, 593, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMROV8
      {2860, 594, kAction, 0, kUser, 0, 1, 0, 0, 1},  // SMRMD
      {5117, 594, kNumber, 0, kUser, 0, 1, 0, 0, 1},  // SMRMD
      {2758, 595, kChoice, 0, kFactory, 0, 1, 0, 0, 0},
      {2759, 596, kChoice, 0, kFactory, 0, 6, 1, 0, 0},
      {2748, 597, kNumber, 0, kFactory, 0, 255, 0, 0, 0},
      {2750, 598, kNumber, 0, kFactory, 0, 255, 0, 0, 0},
      {2760, 599, kChoice, 0, kFactory, 0, 11, 1, 0, 0},
      {2761, 600, kChoice, 0, kFactory, 0, 11, 5, 0, 0},
      {2762, 601, kChoice, 0, kFactory, 0, 11, 0, 0, 0},
      {2752, 602, kNumber, 0, kFactory, 0, 200, 0, 0, 0},
      {2754, 603, kNumber, 0, kFactory, 0, 200, 60, 0, 0},
      {2756, 604, kNumber, 0, kFactory, 0, 200, 74, 0, 0},
      {2763, 605, kChoice, 0, kFactory, 0, 1, 0, 0, 0},
      {2764, 606, kChoice, 0, kFactory, 0, 1, 0, 0, 0},
      {2765, 601, kAction, 0, kNone, 0, 11, 0, 0, 0},
      {2766, 597, kAction, 0, kNone, 0, 255, 0, 0, 0},
      {2769, 213, kNumber, 0, kUser, 1, 255, 1, 0, 0},  // SQF
      {2771, 214, kNumber, 0, kUser, 1, 128, 2, 0, 0},  // SQNI
      {2785, 224, kChoice, 0, kUser, 1, 2, 1, 0, 0},  // SQHB
      {2786, 225, kChoice, 0, kUser, 1, 2, 1, 0, 0},  // SQVB
      {2773, 215, kNumber, 0, kUser, 96, 4112, 4112, 0, 0},  // SQW
      {2775, 216, kNumber, 0, kUser, 8, 3008, 3008, 0, 0},  // SQH
      {2777, 217, kNumber, 0, kUser, 0, 4016, 0, 0, 0},  // SQOX
      {2779, 218, kNumber, 0, kUser, 0, 3000, 0, 0, 0},  // SQOY
      {2781, 219, kNumber, 0, kUser, 100, 1600, 100, 0, 0},  // SQGA
      {2783, 220, kNumber, 0, kUser, 1, 8000000, 18000, 0, 0},  // SQPE
      {5131, 221, kNumber, 0, kUser, 1, 8000000, 18000, 0, 0},  // SQPER
      {5133, 222, kNumber, 0, kUser, 1, 8000000, 18000, 0, 0},  // SQPEG
      {5135, 223, kNumber, 0, kUser, 1, 8000000, 18000, 0, 0},  // SQPEB
      {2787, 226, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // SQLUT
      {2788, 227, kNumber, 0, kUser, -133, 255, 0, 0, 0},  // SQBL
      {2790, 228, kNumber, 0, kUser, 44, 562, 0, 0, 0},  // SQGR
      {5137, 229, kNumber, 0, kUser, 100, 6400, 0, 0, 0},  // SQGG
      {2792, 230, kNumber, 0, kUser, 44, 562, 0, 0, 0},  // SQGB
      {2794, 0, kAction, 0, kNone, 0, 0, 0, 0, 0},  // EB
      {2795, 208, kNumber, 0, kUser, 1, 128, 1, 0, 1},  // CSQI
      {2767, 0, kNumber, 0, kUser, 1, 128, 1, 0, 0},  // EB
      {5112, 209, kChoice, 0, kUser, 0, 1, 0, 0, 0},  // SQM
      {5113, 210, kChoice, 0, kUser, 0, 1, 0, 0, 0},  // SQSEL
      {5129, 211, kNumber, 0, kUser, 1, 128, 1, 0, 0},  // SQSS
      {2798, 609, kChoice, 0, kUser, 0, 4, 0, 0, 1},  // CE0
      {2799, 610, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CR0
      {2802, 611, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CV0
      {2800, 611, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CV0
      {2803, 612, kChoice, 0, kUser, 0, 4, 0, 0, 1},  // CE1
      {2804, 613, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CR1
      {2807, 614, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CV1
      {2805, 614, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CV1
      {2808, 615, kChoice, 0, kUser, 0, 4, 0, 0, 1},  // CE2
      {2809, 616, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CR2
      {2812, 617, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CV2
      {2810, 617, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // CV2
      {2865, 618, kChoice, 0, kFactory, 0, 4, 0, 0, 0},
      {2866, 619, kChoice, 0, kFactory, 0, 0, 0, 0, 0},
      {2868, 620, kChoice, 0, kFactory, 0, 0, 0, 0, 0},
      {2867, 620, kChoice, 0, kFactory, 0, 0, 0, 0, 0},
      {2856, 621, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // USC0
      {2857, 622, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // USC1
      {2859, 623, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // USC2
      {2861, 624, kChoice, 0, kUser, 0, 0, 0, 0, 0},  // USC3
      {2858, 625, kChoice, 0, kFactory, 0, 0, 0, 0, 0},
      {2813, 626, kNumber, 0, kFactory, -100, 100, 0, 0, 1},
      {2815, 627, kNumber, 0, kFactory, -4533, 37876, 0, 0, 1},
      {2817, 628, kNumber, 0, kFactory, -4533, 37876, 0, 0, 1},
      {2819, 629, kNumber, 0, kFactory, -4533, 37876, 0, 0, 1},
      {2821, 630, kNumber, 0, kFactory, -4533, 37876, 0, 0, 1},
      {2823, 631, kNumber, 0, kFactory, -4533, 37876, 0, 0, 1},
      {2825, 632, kNumber, 0, kFactory, 0, 256, 0, 0, 1},
      {2827, 633, kNumber, 0, kFactory, -8192, 8191, 0, 0, 1},
      {2829, 634, kNumber, 0, kFactory, -8192, 8191, 0, 0, 1},
      {2831, 635, kNumber, 0, kFactory, -8192, 8191, 0, 0, 1},
      {2833, 636, kNumber, 0, kFactory, -8192, 8191, 0, 0, 1},
      {2864, 637, kCheck, 0, kFactory, 0, 1, 1, 0, 1},
      {1422, 638, kChoice, 0, kFactory, 1, 64, 1, 0, 1},  // FCBDRT
      {5109, 639, kNumber, 0, kFactory, 1, 64, 1, 0, 0},  // SBDRT
      {2649, 640, kChoice, 0, kNone, 0, 2, 0, 0, 0},  // CTM
      {2651, 641, kChoice, 0, kNone, 0, 3, 0, 0, 0},  // CTRM
      {2627, 642, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVRR
      {2629, 643, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVRG
      {2631, 644, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVRB
      {2632, 645, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVGR
      {2634, 646, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVGG
      {2636, 647, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVGB
      {2638, 648, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVBR
      {2640, 649, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVBG
      {2642, 650, kNumber, 0, kNone, -20, 20, 10, 0, 0},  // CMVBB
      {2654, 651, kChoice, 0, kUser, 0, 1, 0, 0, 1},  // EDGEN
      {2664, 652, kChoice, 0, kUser, 0, 3, 1, 0, 1},  // EDGLV
      {2656, 653, kChoice, 0, kNone, 0, 1, 0, 0, 0},  // COLEN
      {2644, 654, kNumber, 0, kNone, 0, 1, 0, 0, 0},  // CEVALR
      {2646, 655, kNumber, 0, kNone, 0, 1, 0, 0, 0},  // CEVALCY
      {2648, 656, kNumber, 0, kNone, 0, 1, 0, 0, 0},  // CEVALG
      {2658, 657, kNumber, 0, kNone, 0, 1, 0, 0, 0},  // CEVALMG
      {2660, 658, kNumber, 0, kNone, 0, 1, 0, 0, 0},  // CEVALB
      {2662, 659, kNumber, 0, kNone, 0, 1, 0, 0, 0},  // CEVALYL
      {1382, 660, kNumber, 0, kUser, 0, 500000, 0, 0, 1},  // TD
  };
  // clang-format on
  return rows;
}

}  // namespace vistrel
