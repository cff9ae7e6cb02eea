#include "camera/models/ModelReadLists.h"

#include <algorithm>
#include <array>

#include "core/ControlIds.h"

namespace vistrel {
namespace {

// The ids of `count` consecutive controls from `first`.
template <int kFirst, size_t kCount>
constexpr std::array<int, kCount> Consecutive() {
  std::array<int, kCount> ids{};
  for (size_t i = 0; i < kCount; ++i)
    ids[i] = kFirst + static_cast<int>(i);
  return ids;
}

// The lists one after another.
template <size_t... kSizes>
constexpr auto Joined(const std::array<int, kSizes>&... lists) {
  std::array<int, (kSizes + ...)> joined{};
  auto out = joined.begin();
  ((out = std::ranges::copy(lists, out).out), ...);
  return joined;
}

// The rows both families read (STRG among them: it is written to setting files, so it is read
// and compared as every row there), besides the metering areas.
constexpr int kBothFamilies[] = {
    ctl::TI,      ctl::STRG,  ctl::TA,         ctl::TO,      ctl::LS0,     ctl::LI0,
    ctl::LS1,     ctl::LI1,   ctl::PGDEV,      ctl::PGL0,    ctl::PGST0,   ctl::PGEN0,
    ctl::PGRPT0,  ctl::PGCM0, ctl::PGSM0,      ctl::PGL1,    ctl::PGST1,   ctl::PGEN1,
    ctl::PGRPT1,  ctl::PGCM1, ctl::PGSM1,      ctl::PGL2,    ctl::PGST2,   ctl::PGEN2,
    ctl::PGRPT2,  ctl::PGCM2, ctl::PGSM2,      ctl::PGL3,    ctl::PGST3,   ctl::PGEN3,
    ctl::PGRPT3,  ctl::PGCM3, ctl::PGSM3,      ctl::ND0IN1,  ctl::ND1IN1,  ctl::ND0IN2,
    ctl::ND1IN2,  ctl::PGIN0, ctl::PGINV0,     ctl::PGIN1,   ctl::PGINV1,  ctl::PGIN2,
    ctl::PGINV2,  ctl::PGIN3, ctl::PGINV3,     ctl::ND0INV1, ctl::ND0INV2, ctl::ND1INV1,
    ctl::ND1INV2, ctl::OPTFL, ctl::HB,         ctl::VB,      ctl::BA,      ctl::OFL,
    ctl::HTL,     ctl::OFC,   ctl::WTC,        ctl::CLCFG,   ctl::TAGM,    ctl::AR,
    ctl::PE,      ctl::TM,    ctl::EM,         ctl::FGA,     ctl::AGC,     ctl::AGCF,
    ctl::AGCGA,   ctl::AGCGI, ctl::PGR,        ctl::PGB,     ctl::BL,      ctl::BLR1,
    ctl::BLB1,    ctl::AWB,   ctl::ASC,        ctl::TRGOP,   ctl::ASCEA,   ctl::ASCEI,
    ctl::LUTC,    ctl::GMA,   ctl::TPN,        ctl::BMW,     ctl::SDM,     ctl::SDCM,
    ctl::BMTHW,   ctl::ALCS,  ctl::ALCA,       ctl::AWBA,    ctl::VSM,     ctl::SQLUTSecond,
    ctl::CLCF,    ctl::VPB,   ctl::HBM,        ctl::VBM,     ctl::AWBS,    ctl::Command413,
    ctl::CSQI,    ctl::SQM,   ctl::SQSEL,      ctl::SQSS,    ctl::CE0,     ctl::CV0,
    ctl::CE1,     ctl::CV1,   ctl::CE2,        ctl::CV2,     ctl::USC0,    ctl::USC1,
    ctl::USC2,    ctl::USC3,  ctl::CameraBaud, ctl::EDGEN,   ctl::EDGLV,
};

// The first four regions of the sensor multi-ROI and its mode: both families read them, the
// RL-8200T lacks them.
constexpr int kFourRegions[] = {
    ctl::SMRW1,  ctl::SMRW2,  ctl::SMRW3,  ctl::SMRW4,        ctl::SMRH1,  ctl::SMRH2,  ctl::SMRH3,
    ctl::SMRH4,  ctl::SMROX1, ctl::SMROX2, ctl::SMROX3,       ctl::SMROX4, ctl::SMROY1, ctl::SMROY2,
    ctl::SMROY3, ctl::SMROY4, ctl::SMROH1, ctl::SMROH2,       ctl::SMROH3, ctl::SMROH4, ctl::SMROV1,
    ctl::SMROV2, ctl::SMROV3, ctl::SMROV4, ctl::MultiRoiMode,
};

// The rows only the RL family reads.
constexpr int kRlOnly[] = {
    ctl::PER,          ctl::PEG,           ctl::PEB,
    ctl::ETM,          ctl::IGM,           ctl::FGR,
    ctl::FGG,          ctl::FGB,           ctl::Command96,
    ctl::BMTHWG,       ctl::BMTHWB,        ctl::Command398,
    ctl::Command402,   ctl::Command438,    ctl::Command439,
    ctl::Command487,   ctl::Command527,    ctl::Command540,
    ctl::Command541,   ctl::Command542,    ctl::Command545,
    ctl::Command595,   ctl::PhaseMode,     ctl::PhaseValue,
    ctl::Command598,   ctl::IrisLimitOpen, ctl::IrisLimitClose,
    ctl::PhaseIndex,   ctl::LensSetting1,  ctl::LensSetting2,
    ctl::LensSetting3, ctl::Command605,    ctl::PhaseOrder,
    ctl::TimerEnable,  ctl::TimerValue,    ctl::HighSpeedBitDepth,
    ctl::Command626,   ctl::Command627,    ctl::Command628,
    ctl::Command629,   ctl::Command630,    ctl::Command631,
    ctl::Command632,   ctl::Command633,    ctl::Command634,
    ctl::Command635,   ctl::Command636,    ctl::Command637,
    ctl::CTM,          ctl::CTRM,          ctl::CMVRR,
    ctl::CMVRG,        ctl::CMVRB,         ctl::CMVGR,
    ctl::CMVGG,        ctl::CMVGB,         ctl::CMVBR,
    ctl::CMVBG,        ctl::CMVBB,         ctl::CEVALR,
    ctl::CEVALCY,      ctl::CEVALG,        ctl::CEVALMG,
    ctl::CEVALB,       ctl::CEVALYL,
};

// The rows only the QX family reads: four more regions and TD.
constexpr int kQxOnly[] = {
    ctl::SMRW5,  ctl::SMRW6,  ctl::SMRW7,  ctl::SMRW8,  ctl::SMRH5,  ctl::SMRH6,  ctl::SMRH7,
    ctl::SMRH8,  ctl::SMROX5, ctl::SMROX6, ctl::SMROX7, ctl::SMROX8, ctl::SMROY5, ctl::SMROY6,
    ctl::SMROY7, ctl::SMROY8, ctl::SMROH5, ctl::SMROH6, ctl::SMROH7, ctl::SMROH8, ctl::SMROV5,
    ctl::SMROV6, ctl::SMROV7, ctl::SMROV8, ctl::TD,
};

constexpr auto kExposureAreas = Consecutive<ctl::FirstExposureArea, ctl::AreaCount>();
constexpr auto kBalanceAreas = Consecutive<ctl::FirstBalanceArea, ctl::AreaCount>();

constexpr auto kRlReadList = Joined(std::to_array(kBothFamilies), kExposureAreas, kBalanceAreas,
                                    std::to_array(kFourRegions), std::to_array(kRlOnly));
constexpr auto kQxReadList = Joined(std::to_array(kBothFamilies), kExposureAreas, kBalanceAreas,
                                    std::to_array(kFourRegions), std::to_array(kQxOnly));

}  // namespace

std::span<const int> RlReadList() {
  return kRlReadList;
}

std::span<const int> Rl8200Lacking() {
  return kFourRegions;
}

std::span<const int> QxReadList() {
  return kQxReadList;
}

}  // namespace vistrel
