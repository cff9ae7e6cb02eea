#include "res/Resources.h"

#include <QtCore/QtGlobal>

static void InitVistrelResource() {
  Q_INIT_RESOURCE(vistrel);
}

namespace vistrel {

void InitResources() {
  static const bool done = (InitVistrelResource(), true);
  (void)done;
}

}  // namespace vistrel
