#pragma once

#include <set>

#include "app/ControlRegistry.h"

namespace vistrel {

class IMessagePresenter;

// The sequencer entry of the page: its fields take effect only with "Write Entry", so edits
// not yet written are marked, and an index change asks before it replaces them with another
// entry.
class SequencerEntryMarks {
 public:
  SequencerEntryMarks(ControlRegistry& registry, IMessagePresenter& messages)
      : registry_(registry), messages_(messages) {}

  // Whether an entry field holds an edit not yet written with "Write Entry".
  bool Marked(int ctrlId) const { return unwritten_.contains(ctrlId); }
  // Before a change goes out: false when it would show another entry and the operator keeps
  // the edits of the one shown.
  bool MayChange(Notification what, int ctrlId);
  // After a change went out: an edited field is marked; "Write Entry" clears the marks of the
  // fields the camera took.
  void NoteChange(Notification what, int ctrlId);
  // The entry shown is the camera's again.
  void Clear();

 private:
  bool IsEntryField(int ctrlId) const;
  void MarkEdited(int ctrlId);

  ControlRegistry& registry_;
  IMessagePresenter& messages_;
  std::set<int> unwritten_;  // entry fields edited since the entry was shown
};

}  // namespace vistrel
