#pragma once

#include <string>
#include <utility>
#include <vector>

#include "camera/CameraSession.h"
#include "core/Command.h"
#include "core/ParameterTable.h"
#include "params/TableBoundPath.h"
#include "support/Recorders.h"
#include "support/SimChannel.h"
#include "support/TestPanel.h"

namespace vistrel::test {

// What a parameter handler works with, over the in-process simulated camera and a
// widget-free panel.
struct HandlerRig {
  explicit HandlerRig(SimConfig config)
      : channel(std::move(config)),
        engine(channel, presenter),
        table(presenter),
        session(engine, table, presenter),
        context{table, engine, panel, session} {}

  SimChannel channel;
  RecordingPresenter presenter;
  Command engine;
  ParameterTable table;
  CameraSession session;
  TestPanel panel;
  HandlerContext context;
};

using Lines = std::vector<std::string>;

}  // namespace vistrel::test
