#pragma once

#include <functional>
#include <set>

#include "app/AppServices.h"
#include "app/ControlRegistry.h"
#include "params/TableBoundPath.h"

namespace vistrel {

class LutEditors;
class MainStatusBar;
class PortWatch;
class SequencerEntryMarks;

// The handlers' view of the program: the table, the engine, the pages and the session.
inline HandlerContext ContextOf(AppServices& services, IControlPanel& panel) {
  return HandlerContext{services.table, services.engine, panel, services.session};
}

// What a parameter control reports goes to its handler: only while the camera answers (or
// once it answers again), never over an unwritten sequencer entry the operator keeps, with
// "Writing" in the status bar; and the ranges the pages show follow the binning and the
// model.
class ControlDispatch {
 public:
  // The parts of the main window a change works with.
  struct Parts {
    MainStatusBar& status;
    SequencerEntryMarks& entry;
    LutEditors& luts;
    PortWatch& watch;
  };
  // `closeAfterReset` ends the program once the camera took a reset.
  ControlDispatch(AppServices& services, ControlRegistry& registry, Parts parts,
                  std::function<void()> closeAfterReset);

  void Dispatch(Notification what, int ctrlId, int32_t position, int32_t step);
  // The binning, the mode and the model that the number ranges of the pages follow.
  RangeInputs CurrentRangeInputs();

 private:
  void DispatchNow(Notification what, int ctrlId, int32_t position, int32_t step);
  void OnButton(int ctrlId);
  // Before a change is sent while the link is offline: true when the camera answers (the
  // program is online again and the change may go); otherwise nothing is sent, the pages
  // show the last confirmed values again and the status bar says why.
  bool ReadyToSend(Notification what, int ctrlId);

  AppServices& services_;
  ControlRegistry& registry_;
  Parts parts_;
  std::function<void()> closeAfterReset_;
  std::set<int> rowIds_;  // the controls bound to a row of the table
};

}  // namespace vistrel
