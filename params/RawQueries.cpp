#include "params/RawQueries.h"

#include <array>

#include "core/ControlIds.h"
#include "params/HandlerSupport.h"

namespace vistrel::RawQueries {

namespace {

struct RawTarget {
  const char* name;
  int ctrlId;
};

constexpr std::array<RawTarget, 4> kRegion = {{
    {"HTL", ctl::HTL},
    {"WTC", ctl::WTC},
    {"OFL", ctl::OFL},
    {"OFC", ctl::OFC},
}};

constexpr std::array<RawTarget, 3> kColourExposures = {{
    {"PER", ctl::PER},
    {"PEG", ctl::PEG},
    {"PEB", ctl::PEB},
}};

}  // namespace

void RequeryRegion(HandlerContext& context) {
  for (const RawTarget& target : kRegion)
    RawRequery(context, target.name, target.ctrlId);
}

void RequeryClConfiguration(HandlerContext& context) {
  const std::optional<int32_t> value = RawQuery(context, "CLCFG");
  if (!value)
    return;
  context.panel.SelectIndex(ctl::CLCFG, *value);
  context.table.SetDataValue(ctl::CLCFG, *value);
  context.table.MarkAllSent();
  context.session.NoteLinkValue(ctl::CLCFG, *value);
}

void RequeryExposure(HandlerContext& context) {
  RawRequery(context, "PE", ctl::PE);
  // The per-colour times exist on the colour models, and only count while they are in use.
  if (!context.session.Model().IsColour() || SelectionOf(context.panel, ctl::ETM) == 0)
    return;
  for (const RawTarget& target : kColourExposures)
    RawRequery(context, target.name, target.ctrlId);
}

}  // namespace vistrel::RawQueries
