#include "params/Binning.h"

#include "params/HandlerSupport.h"
#include "params/RawQueries.h"

namespace vistrel::Binning {

void AfterSend(HandlerContext& context, int ctrlId) {
  RequeryParameter(context, ctrlId);
  context.panel.ApplyRanges();
  RawQueries::RequeryRegion(context);
}

}  // namespace vistrel::Binning
