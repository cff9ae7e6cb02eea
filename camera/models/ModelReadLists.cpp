#include "camera/models/ModelReadLists.h"

namespace vistrel {
namespace {

// The rows the RL models read, by control id.
constexpr int kRlReadList[] = {
    1349,  // TI
    2874,  // STRG: written to setting files, so read and compared as every row there
    1350,  // TA
    1352,  // TO
    1356,  // LS0
    1361,  // LI0
    5126,  // LS1
    5127,  // LI1
    2340,  // PGDEV
    2293,  // PGL0
    2301,  // PGST0
    2309,  // PGEN0
    2318,  // PGRPT0
    2326,  // PGCM0
    2332,  // PGSM0
    2295,  // PGL1
    2303,  // PGST1
    2311,  // PGEN1
    2320,  // PGRPT1
    2327,  // PGCM1
    2333,  // PGSM1
    2297,  // PGL2
    2305,  // PGST2
    2313,  // PGEN2
    2322,  // PGRPT2
    2329,  // PGCM2
    2334,  // PGSM2
    2299,  // PGL3
    2307,  // PGST3
    2316,  // PGEN3
    2324,  // PGRPT3
    2331,  // PGCM3
    2335,  // PGSM3
    2336,  // ND0IN1
    2338,  // ND1IN1
    2337,  // ND0IN2
    2339,  // ND1IN2
    2342,  // PGIN0
    2346,  // PGINV0
    2343,  // PGIN1
    2347,  // PGINV1
    2344,  // PGIN2
    2348,  // PGINV2
    2345,  // PGIN3
    2349,  // PGINV3
    2350,  // ND0INV1
    2351,  // ND0INV2
    2352,  // ND1INV1
    2353,  // ND1INV2
    5128,  // OPTFL
    1406,  // HB
    1408,  // VB
    1354,  // BA
    1357,  // OFL
    1359,  // HTL
    2510,  // OFC
    2512,  // WTC
    1407,  // CLCFG
    5139,  // TAGM
    1363,  // AR
    1338,  // PE
    1343,  // PER
    1345,  // PEG
    1347,  // PEB
    1341,  // TM
    1337,  // EM
    1368,  // ETM
    1055,  // FGA
    2536,  // AGC
    1366,  // AGCF
    1369,  // AGCGA
    1370,  // AGCGI
    2539,  // IGM
    1780,  // PGR
    1784,  // PGB
    1785,  // FGR
    1787,  // FGG
    1789,  // FGB
    1795,  // BL
    1842,  // command 96
    1752,  // BLR1
    1757,  // BLB1
    1580,  // AWB
    2535,  // ASC
    2538,  // TRGOP
    1376,  // ASCEA
    1377,  // ASCEI
    1381,  // LUTC
    2571,  // GMA
    1386,  // TPN
    1387,  // BMW
    1404,  // SDM
    1866,  // SDCM
    1410,  // BMTHW
    1415,  // BMTHWG
    1445,  // BMTHWB
    1882,  // ALCS
    2537,  // ALCA
    1940,  // ALCLR
    1941,  // ALCLMR
    1942,  // ALCLML
    1943,  // ALCLL
    1944,  // ALCMLR
    1945,  // ALCMLMR
    1946,  // ALCMLML
    1947,  // ALCMLL
    1948,  // ALCMHR
    1949,  // ALCMHMR
    1950,  // ALCMHML
    1951,  // ALCMHL
    1952,  // ALCHR
    1953,  // ALCHMR
    1954,  // ALCHML
    1955,  // ALCHL
    2540,  // AWBA
    1956,  // AWBLR
    1957,  // AWBLMR
    1958,  // AWBLML
    1959,  // AWBLL
    1960,  // AWBMLR
    1961,  // AWBMLMR
    1962,  // AWBMLML
    1963,  // AWBMLL
    1964,  // AWBMHR
    1965,  // AWBMHMR
    1966,  // AWBMHML
    1967,  // AWBMHL
    1968,  // AWBHR
    1969,  // AWBHMR
    1970,  // AWBHML
    1971,  // AWBHL
    2514,  // VSM
    2569,  // SQLUT
    2570,  // CLCF
    2590,  // VPB
    2650,  // HBM
    2653,  // VBM
    2691,  // AWBS
    1448,  // command 398
    2552,  // command 402
    1470,  // command 413
    1737,  // command 438
    1751,  // command 439
    2408,  // command 487
    2595,  // command 527
    2684,  // command 540
    2683,  // command 541
    2685,  // command 542
    2696,  // command 545
    2700,  // SMRW1
    2702,  // SMRW2
    2704,  // SMRW3
    2706,  // SMRW4
    2708,  // SMRH1
    2710,  // SMRH2
    2712,  // SMRH3
    2714,  // SMRH4
    2716,  // SMROX1
    2718,  // SMROX2
    2720,  // SMROX3
    2722,  // SMROX4
    2724,  // SMROY1
    2726,  // SMROY2
    2728,  // SMROY3
    2730,  // SMROY4
    2732,  // SMROH1
    2734,  // SMROH2
    2736,  // SMROH3
    2738,  // SMROH4
    2740,  // SMROV1
    2742,  // SMROV2
    2744,  // SMROV3
    2746,  // SMROV4
    5117,  // SMRMD
    2758,  // command 595
    2759,  // command 596
    2748,  // command 597
    2750,  // command 598
    2760,  // command 599
    2761,  // command 600
    2762,  // command 601
    2752,  // command 602
    2754,  // command 603
    2756,  // command 604
    2763,  // command 605
    2764,  // command 606
    2795,  // CSQI
    5112,  // SQM
    5113,  // SQSEL
    5129,  // SQSS
    2798,  // CE0
    2800,  // CV0
    2803,  // CE1
    2805,  // CV1
    2808,  // CE2
    2810,  // CV2
    2865,  // command 618
    2867,  // command 620
    2856,  // USC0
    2857,  // USC1
    2859,  // USC2
    2861,  // USC3
    2858,  // command 625
    2813,  // command 626
    2815,  // command 627
    2817,  // command 628
    2819,  // command 629
    2821,  // command 630
    2823,  // command 631
    2825,  // command 632
    2827,  // command 633
    2829,  // command 634
    2831,  // command 635
    2833,  // command 636
    2864,  // command 637
    1422,  // FCBDRT
    2649,  // CTM
    2651,  // CTRM
    2627,  // CMVRR
    2629,  // CMVRG
    2631,  // CMVRB
    2632,  // CMVGR
    2634,  // CMVGG
    2636,  // CMVGB
    2638,  // CMVBR
    2640,  // CMVBG
    2642,  // CMVBB
    2654,  // EDGEN
    2664,  // EDGLV
    2644,  // CEVALR
    2646,  // CEVALCY
    2648,  // CEVALG
    2658,  // CEVALMG
    2660,  // CEVALB
    2662,  // CEVALYL
};

// The rows of the RL list the RL-8200T does not have (its SMR settings).
constexpr int kRl8200Lacking[] = {
    2700,  // SMRW1
    2702,  // SMRW2
    2704,  // SMRW3
    2706,  // SMRW4
    2708,  // SMRH1
    2710,  // SMRH2
    2712,  // SMRH3
    2714,  // SMRH4
    2716,  // SMROX1
    2718,  // SMROX2
    2720,  // SMROX3
    2722,  // SMROX4
    2724,  // SMROY1
    2726,  // SMROY2
    2728,  // SMROY3
    2730,  // SMROY4
    2732,  // SMROH1
    2734,  // SMROH2
    2736,  // SMROH3
    2738,  // SMROH4
    2740,  // SMROV1
    2742,  // SMROV2
    2744,  // SMROV3
    2746,  // SMROV4
    5117,  // SMRMD
};

// The rows the QX models read.
constexpr int kQxReadList[] = {
    1349,  // TI
    2874,  // STRG: written to setting files, so read and compared as every row there
    1350,  // TA
    1352,  // TO
    1356,  // LS0
    1361,  // LI0
    5126,  // LS1
    5127,  // LI1
    2340,  // PGDEV
    2293,  // PGL0
    2301,  // PGST0
    2309,  // PGEN0
    2318,  // PGRPT0
    2326,  // PGCM0
    2332,  // PGSM0
    2295,  // PGL1
    2303,  // PGST1
    2311,  // PGEN1
    2320,  // PGRPT1
    2327,  // PGCM1
    2333,  // PGSM1
    2297,  // PGL2
    2305,  // PGST2
    2313,  // PGEN2
    2322,  // PGRPT2
    2329,  // PGCM2
    2334,  // PGSM2
    2299,  // PGL3
    2307,  // PGST3
    2316,  // PGEN3
    2324,  // PGRPT3
    2331,  // PGCM3
    2335,  // PGSM3
    2336,  // ND0IN1
    2338,  // ND1IN1
    2337,  // ND0IN2
    2339,  // ND1IN2
    2342,  // PGIN0
    2346,  // PGINV0
    2343,  // PGIN1
    2347,  // PGINV1
    2344,  // PGIN2
    2348,  // PGINV2
    2345,  // PGIN3
    2349,  // PGINV3
    2350,  // ND0INV1
    2351,  // ND0INV2
    2352,  // ND1INV1
    2353,  // ND1INV2
    5128,  // OPTFL
    1406,  // HB
    1408,  // VB
    1354,  // BA
    1357,  // OFL
    1359,  // HTL
    2510,  // OFC
    2512,  // WTC
    1407,  // CLCFG
    5139,  // TAGM
    1363,  // AR
    1338,  // PE
    1341,  // TM
    1337,  // EM
    1055,  // FGA
    2536,  // AGC
    1366,  // AGCF
    1369,  // AGCGA
    1370,  // AGCGI
    1780,  // PGR
    1784,  // PGB
    1795,  // BL
    1752,  // BLR1
    1757,  // BLB1
    1580,  // AWB
    2535,  // ASC
    2538,  // TRGOP
    1376,  // ASCEA
    1377,  // ASCEI
    1381,  // LUTC
    2571,  // GMA
    1386,  // TPN
    1387,  // BMW
    1404,  // SDM
    1866,  // SDCM
    1410,  // BMTHW
    1882,  // ALCS
    2537,  // ALCA
    1940,  // ALCLR
    1941,  // ALCLMR
    1942,  // ALCLML
    1943,  // ALCLL
    1944,  // ALCMLR
    1945,  // ALCMLMR
    1946,  // ALCMLML
    1947,  // ALCMLL
    1948,  // ALCMHR
    1949,  // ALCMHMR
    1950,  // ALCMHML
    1951,  // ALCMHL
    1952,  // ALCHR
    1953,  // ALCHMR
    1954,  // ALCHML
    1955,  // ALCHL
    2540,  // AWBA
    1956,  // AWBLR
    1957,  // AWBLMR
    1958,  // AWBLML
    1959,  // AWBLL
    1960,  // AWBMLR
    1961,  // AWBMLMR
    1962,  // AWBMLML
    1963,  // AWBMLL
    1964,  // AWBMHR
    1965,  // AWBMHMR
    1966,  // AWBMHML
    1967,  // AWBMHL
    1968,  // AWBHR
    1969,  // AWBHMR
    1970,  // AWBHML
    1971,  // AWBHL
    2514,  // VSM
    2569,  // SQLUT
    2570,  // CLCF
    2590,  // VPB
    2650,  // HBM
    2653,  // VBM
    2691,  // AWBS
    1470,  // command 413
    2700,  // SMRW1
    2702,  // SMRW2
    2704,  // SMRW3
    2706,  // SMRW4
    5140,  // SMRW5
    5142,  // SMRW6
    5144,  // SMRW7
    5146,  // SMRW8
    2708,  // SMRH1
    2710,  // SMRH2
    2712,  // SMRH3
    2714,  // SMRH4
    5148,  // SMRH5
    5150,  // SMRH6
    5152,  // SMRH7
    5154,  // SMRH8
    2716,  // SMROX1
    2718,  // SMROX2
    2720,  // SMROX3
    2722,  // SMROX4
    5156,  // SMROX5
    5158,  // SMROX6
    5160,  // SMROX7
    5162,  // SMROX8
    2724,  // SMROY1
    2726,  // SMROY2
    2728,  // SMROY3
    2730,  // SMROY4
    5164,  // SMROY5
    5166,  // SMROY6
    5168,  // SMROY7
    5170,  // SMROY8
    2732,  // SMROH1
    2734,  // SMROH2
    2736,  // SMROH3
    2738,  // SMROH4
    5172,  // SMROH5
    5174,  // SMROH6
    5176,  // SMROH7
    5178,  // SMROH8
    2740,  // SMROV1
    2742,  // SMROV2
    2744,  // SMROV3
    2746,  // SMROV4
    5180,  // SMROV5
    5182,  // SMROV6
    5184,  // SMROV7
    5186,  // SMROV8
    5117,  // SMRMD
    2795,  // CSQI
    5112,  // SQM
    5113,  // SQSEL
    5129,  // SQSS
    2798,  // CE0
    2800,  // CV0
    2803,  // CE1
    2805,  // CV1
    2808,  // CE2
    2810,  // CV2
    2856,  // USC0
    2857,  // USC1
    2859,  // USC2
    2861,  // USC3
    1422,  // FCBDRT
    2654,  // EDGEN
    2664,  // EDGLV
    1382,  // TD
};

}  // namespace

std::span<const int> RlReadList() {
  return kRlReadList;
}

std::span<const int> Rl8200Lacking() {
  return kRl8200Lacking;
}

std::span<const int> QxReadList() {
  return kQxReadList;
}

}  // namespace vistrel
