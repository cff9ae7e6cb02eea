#include "sim/SimData.h"

namespace vistrel {

namespace {

// clang-format off
// The commands both families answer.
constexpr const char* kBothFamilies[] = {
    "TI", "TA", "TO", "LS0", "LI0", "LS1", "LI1", "PGDEV", "PGL0", "PGST0", "PGEN0", "PGRPT0",
    "PGCM0", "PGSM0", "PGL1", "PGST1", "PGEN1", "PGRPT1", "PGCM1", "PGSM1", "PGL2", "PGST2",
    "PGEN2", "PGRPT2", "PGCM2", "PGSM2", "PGL3", "PGST3", "PGEN3", "PGRPT3", "PGCM3", "PGSM3",
    "ND0IN1", "ND1IN1", "ND0IN2", "ND1IN2", "PGIN0", "PGINV0", "PGIN1", "PGINV1", "PGIN2", "PGINV2",
    "PGIN3", "PGINV3", "ND0INV1", "ND0INV2", "ND1INV1", "ND1INV2", "OPTFL", "HB", "VB", "BA", "OFL",
    "HTL", "OFC", "WTC", "CLCFG", "TAGM", "AR", "PE", "TM", "EM", "FGA", "AGC", "AGCF", "AGCGA",
    "AGCGI", "PGR", "PGB", "BL", "BLR1", "BLB1", "AWB", "ASC", "TRGOP", "ASCEA", "ASCEI", "LUTC",
    "GMA", "TPN", "BMW", "SDM", "SDCM", "BMTHW", "ALCS", "ALCA", "ALCLR", "ALCLMR", "ALCLML",
    "ALCLL", "ALCMLR", "ALCMLMR", "ALCMLML", "ALCMLL", "ALCMHR", "ALCMHMR", "ALCMHML", "ALCMHL",
    "ALCHR", "ALCHMR", "ALCHML", "ALCHL", "AWBA", "AWBLR", "AWBLMR", "AWBLML", "AWBLL", "AWBMLR",
    "AWBMLMR", "AWBMLML", "AWBMLL", "AWBMHR", "AWBMHMR", "AWBMHML", "AWBMHL", "AWBHR", "AWBHMR",
    "AWBHML", "AWBHL", "VSM", "SQLUT", "CLCF", "VPB", "HBM", "VBM", "AWBS", "CSQI", "SQM", "SQSEL",
    "SQSS", "CE0", "CV0", "CE1", "CV1", "CE2", "CV2", "USC0", "USC1", "USC2", "USC3", "FCBDRT",
    "EDGEN", "EDGLV",
};

// The first four regions of the sensor multi-ROI and its mode.
constexpr const char* kFourRegions[] = {
    "SMRW1", "SMRW2", "SMRW3", "SMRW4", "SMRH1", "SMRH2", "SMRH3", "SMRH4", "SMROX1", "SMROX2",
    "SMROX3", "SMROX4", "SMROY1", "SMROY2", "SMROY3", "SMROY4", "SMROH1", "SMROH2", "SMROH3",
    "SMROH4", "SMROV1", "SMROV2", "SMROV3", "SMROV4", "SMRMD",
};

// The commands only the RL family answers.
constexpr const char* kRlOnly[] = {
    "PER", "PEG", "PEB", "ETM", "IGM", "FGR", "FGG", "FGB", "BMTHWG", "BMTHWB", "CTM", "CTRM",
    "CMVRR", "CMVRG", "CMVRB", "CMVGR", "CMVGG", "CMVGB", "CMVBR", "CMVBG", "CMVBB", "CEVALR",
    "CEVALCY", "CEVALG", "CEVALMG", "CEVALB", "CEVALYL",
};

// The commands only the QX family answers: four more regions and TD.
constexpr const char* kQxOnly[] = {
    "SMRW5", "SMRW6", "SMRW7", "SMRW8", "SMRH5", "SMRH6", "SMRH7", "SMRH8", "SMROX5", "SMROX6",
    "SMROX7", "SMROX8", "SMROY5", "SMROY6", "SMROY7", "SMROY8", "SMROH5", "SMROH6", "SMROH7",
    "SMROH8", "SMROV5", "SMROV6", "SMROV7", "SMROV8", "TD",
};

// clang-format on

constexpr SimFamilyList kFamilyLists[] = {
    {SimFamily::Rl, kBothFamilies}, {SimFamily::Rl, kFourRegions}, {SimFamily::Rl, kRlOnly},
    {SimFamily::Qx, kBothFamilies}, {SimFamily::Qx, kFourRegions}, {SimFamily::Qx, kQxOnly},
};

constexpr SimModelEntry kModels[] = {
    {.name = "RL-4100T-VLNK",
     .family = SimFamily::Rl,
     .colour = true,
     .width = 1456,
     .height = 1088,
     .blemishMaxX = 1455,
     .blemishMaxY = 1087},
    {.name = "RL-8200T-VLNK",
     .family = SimFamily::Rl,
     .colour = true,
     .width = 2064,
     .height = 1544,
     .lacking = kFourRegions},
    {.name = "QX-70500M-VLNK",
     .family = SimFamily::Qx,
     .colour = false,
     .width = 4112,
     .height = 3008},
    {.name = "QX-70500C-VLNK",
     .family = SimFamily::Qx,
     .colour = true,
     .width = 4112,
     .height = 3008},
};
// Any other name: every command is answered, with the largest sensor.
constexpr SimModelEntry kOtherModel = {
    .name = "", .family = SimFamily::Other, .colour = true, .width = 4112, .height = 3008};

// The per-entry colour gains of the sequencer.
constexpr const char* kMonochromeOmits[] = {"SQPGR#", "SQPGB#"};

constexpr const char* kCommon[] = {
    // identity and status
    "MD", "UD", "DV", "VN", "FPVN", "XMLVR", "ID", "ULCK", "MD00", "ERRER", "ST", "HP", "TMP0",
    "SBDRT", "FCBDRT",
    // flash areas and reset
    "LD", "SA", "SA00", "CRS00",
    // adjustments and one-shot actions
    "ASC", "AGC", "AWB", "ATCS", "AWRS", "RS", "SDRS", "ALCST", "BMS", "BMRCW", "STRG",
    // counter resets
    "CR0", "CR1", "CR2",
    // tables
    "LUTR", "LUTG", "LUTB", "LUTSR", "LUTSG", "LUTSB", "BMPXW", "BMPYW", "BMPXWR", "BMPYWR",
    "BMPXWG", "BMPYWG", "BMPXWB", "BMPYWB", "BMCLR", "BMCLRR", "BMCLRG", "BMCLRB", "BNUM", "BNUMR",
    "BNUMG", "BNUMB", "FBNUM", "FBBNUM", "SQIDX", "SQRST", "EB", "SQF", "SQNI", "SQW", "SQH",
    "SQOX", "SQOY", "SQGA", "SQPE", "SQPER", "SQPEG", "SQPEB", "SQHB", "SQVB", "SQLUT", "SQBL",
    "SQGR", "SQGG", "SQGB",
    // motor lens
    "MLI", "MLZ", "MLF"};

constexpr SimBehaviourEntry kBehaviours[] = {
    {"MD", SimBehaviour::Model, 0},
    {"MD00", SimBehaviour::ModelWrite, 0},
    {"UD", SimBehaviour::UserText, 0},
    {"ID", SimBehaviour::CameraId, 0},
    {"DV", SimBehaviour::DeviceVersion, 0},
    {"XMLVR", SimBehaviour::XmlVersion, 0},
    {"ULCK", SimBehaviour::Unlock, 0},
    {"VN", SimBehaviour::Fixed, 0},
    {"FPVN", SimBehaviour::Fixed, 0},
    {"ERRER", SimBehaviour::Fixed, 0},
    {"FBNUM", SimBehaviour::Fixed, 0},
    {"FBBNUM", SimBehaviour::Fixed, 0},
    {"CRS00", SimBehaviour::Reset, 0},
    {"LD", SimBehaviour::LoadArea, 0},
    {"SA", SimBehaviour::StoreArea, 0},
    {"SA00", SimBehaviour::StoreFactory, 0},
    {"ASC", SimBehaviour::ExposureAuto, 0},
    {"AGC", SimBehaviour::GainAuto, 0},
    {"AWB", SimBehaviour::WhiteAuto, 0},
    {"ATCS", SimBehaviour::AutoStatus, 0},
    {"AWRS", SimBehaviour::WhiteStatus, 0},
    {"RS", SimBehaviour::Shading, 0},
    {"SDRS", SimBehaviour::ShadingStatus, 0},
    {"ALCST", SimBehaviour::LevelStatus, 0},
    {"TMP0", SimBehaviour::Temperature, 0},
    {"SBDRT", SimBehaviour::RateMask, 0},
    {"FCBDRT", SimBehaviour::RateSelect, 0},
    {"VSM", SimBehaviour::VideoMode, 0},
    {"LUTR", SimBehaviour::LutPoint, 0},
    {"LUTG", SimBehaviour::LutPoint, 1},
    {"LUTB", SimBehaviour::LutPoint, 2},
    {"LUTSR", SimBehaviour::LutChannel, 0},
    {"LUTSG", SimBehaviour::LutChannel, 1},
    {"LUTSB", SimBehaviour::LutChannel, 2},
    {"BMPXW", SimBehaviour::BlemishX, 0},
    {"BMPXWR", SimBehaviour::BlemishX, 1},
    {"BMPXWG", SimBehaviour::BlemishX, 2},
    {"BMPXWB", SimBehaviour::BlemishX, 3},
    {"BMPYW", SimBehaviour::BlemishY, 0},
    {"BMPYWR", SimBehaviour::BlemishY, 1},
    {"BMPYWG", SimBehaviour::BlemishY, 2},
    {"BMPYWB", SimBehaviour::BlemishY, 3},
    {"BNUM", SimBehaviour::BlemishCount, 0},
    {"BNUMR", SimBehaviour::BlemishCount, 1},
    {"BNUMG", SimBehaviour::BlemishCount, 2},
    {"BNUMB", SimBehaviour::BlemishCount, 3},
    {"BMCLR", SimBehaviour::BlemishClear, 0},
    {"BMCLRR", SimBehaviour::BlemishClear, 1},
    {"BMCLRG", SimBehaviour::BlemishClear, 2},
    {"BMCLRB", SimBehaviour::BlemishClear, 3},
    {"SQIDX", SimBehaviour::SequencerIndex, 0},
    {"SQRST", SimBehaviour::SequencerReset, 0},
};

constexpr SimValueEntry kValues[] = {
    {"VN", kSimNoMinimum, kSimNoMaximum, kSimFirmwareVersion},
    {"FPVN", kSimNoMinimum, kSimNoMaximum, kSimFpgaVersion},
    {"ERRER", kSimNoMinimum, kSimNoMaximum, 0},
    {"FBNUM", kSimNoMinimum, kSimNoMaximum, 7},
    {"FBBNUM", kSimNoMinimum, kSimNoMaximum, 2},
    {"EM", kSimNoMinimum, kSimNoMaximum, 1},
    {"AR", 1, 8000000, 33333},
    {"PE", 1, 8000000, 10000},
    {"PER", 1, 8000000, 10000},
    {"PEG", 1, 8000000, 10000},
    {"PEB", 1, 8000000, 10000},
    {"ASCEA", 100, 8000000, 1000000},
    {"AGCGA", 101, 1600, 1600},
    {"GMA", 45, 100, 45},
    {"BA", 0, 2, 0},  // Mono8, Mono10, Mono12
    {"FGR", 47, 6400, 100},
    {"FGG", 47, 6400, 100},
    {"FGB", 47, 6400, 100},
    {"ASC", 0, 2, 0},
    {"AGC", 0, 2, 0},
    {"AWB", 0, 8, 0},
    {"FCBDRT", 1, 128, 1},
    {"MLI", 0, 2, 0},
    {"MLZ", 0, 2, 0},
    {"MLF", 0, 2, 0},
    {"SQGR", 44, 562, 100},
    {"SQGG", 100, 6400, 100},
    {"SQGB", 44, 562, 100},
};

constexpr SimGeometryEntry kGeometries[] = {
    {"WTC", SimGeometry::Width},   {"SMRW#", SimGeometry::Width},    {"SQW", SimGeometry::Width},
    {"HTL", SimGeometry::Height},  {"SMRH#", SimGeometry::Height},   {"SQH", SimGeometry::Height},
    {"OFC", SimGeometry::OffsetX}, {"SMROX#", SimGeometry::OffsetX}, {"SQOX", SimGeometry::OffsetX},
    {"OFL", SimGeometry::OffsetY}, {"SMROY#", SimGeometry::OffsetY}, {"SQOY", SimGeometry::OffsetY},
};

constexpr SimSeqField kSequencerFields[] = {
    {"SQF", "SQF", SimSeqDefault::Value, 1},
    {"SQNI", "SQNI", SimSeqDefault::NextEntry, 0},
    {"SQW", "SQW", SimSeqDefault::Width, 0},
    {"SQH", "SQH", SimSeqDefault::Height, 0},
    {"SQOX", "SQOX", SimSeqDefault::Value, 0},
    {"SQOY", "SQOY", SimSeqDefault::Value, 0},
    {"SQGA", "SQGA", SimSeqDefault::Value, 100},
    {"SQPE", "SQPE", SimSeqDefault::Value, 18000},
    {"SQPER", "SQPER", SimSeqDefault::Value, 18000},
    {"SQPEG", "SQPEG", SimSeqDefault::Value, 18000},
    {"SQPEB", "SQPEB", SimSeqDefault::Value, 18000},
    {"SQHB", "SQHB", SimSeqDefault::Value, 1},
    {"SQVB", "SQVB", SimSeqDefault::Value, 1},
    {"SQLUT", "SQLUT", SimSeqDefault::Value, 0},
    {"SQBL", "SQBL", SimSeqDefault::Value, 0},
    {"SQGR", "SQGR", SimSeqDefault::Value, 100},
    {"SQGG", "SQGG", SimSeqDefault::Value, 100},
    {"SQGB", "SQGB", SimSeqDefault::Value, 100},
    {"SQPGR", "PGR", SimSeqDefault::Value, 100},
    {"SQPGB", "PGB", SimSeqDefault::Value, 100},
};

}  // namespace

std::span<const SimModelEntry> SimModels() {
  return kModels;
}

SimModelEntry SimModelByName(std::string_view name) {
  for (const SimModelEntry& model : kModels) {
    if (name == model.name)
      return model;
  }
  return kOtherModel;
}

std::span<const SimFamilyList> SimFamilyLists() {
  return kFamilyLists;
}
std::span<const char* const> SimMonochromeOmits() {
  return kMonochromeOmits;
}
std::span<const char* const> SimCommonCommands() {
  return kCommon;
}
std::span<const SimBehaviourEntry> SimBehaviours() {
  return kBehaviours;
}
std::span<const SimValueEntry> SimValues() {
  return kValues;
}
std::span<const SimGeometryEntry> SimGeometries() {
  return kGeometries;
}
std::span<const SimSeqField> SimSequencerFields() {
  return kSequencerFields;
}

}  // namespace vistrel
