#include "camera/LutTransfer.h"

#include <algorithm>

#include "camera/PassOutcome.h"

namespace vistrel {
namespace {

std::string Counted(const std::string& text, int done) {
  return text + "  (" + std::to_string(done) + " / " + std::to_string(kLutEntries) + ")";
}

int Percent(int j) {
  return static_cast<int>(static_cast<float>(j) * 0.03125f * 100.0f);
}

// Holds the window locks and the progress display for the length of one transfer.
class TransferScope {
 public:
  TransferScope(CameraSession& session, const std::string& text) : session_(session) {
    session_.Windows().LockWindows(true);
    session_.Progress().Begin(text);
    session_.Progress().Update(0);
  }
  ~TransferScope() {
    session_.Progress().End();
    session_.Windows().LockWindows(false);
  }
  TransferScope(const TransferScope&) = delete;
  TransferScope& operator=(const TransferScope&) = delete;

  void Step(const std::string& text, int j) {
    session_.Progress().SetMessage(Counted(text, j + 1));
    session_.Progress().Update(Percent(j));
    session_.Windows().PumpEvents();
  }

 private:
  CameraSession& session_;
};

}  // namespace

std::string LutReadProgressText(int channel) {
  return std::string("Now, reading camera gamma data  ") +
         kLutChannelInfo[static_cast<size_t>(channel)].progressTag;
}

Outcome ReadTableFromCamera(CameraSession& session, int channel, LutTable& table) {
  if (!IsLutChannel(channel))
    return Outcome::BadInput;
  const std::string text = LutReadProgressText(channel);
  const int commandId = kLutChannelInfo[static_cast<size_t>(channel)].commandId;
  PassOutcome pass;
  TransferScope scope(session, text);
  for (int j = 0; j < kLutEntries; ++j) {
    int32_t reply = 0;
    // The query line carries no index; only an answer that names the channel's command is an
    // entry (a late answer to something else would shift the table).
    if (const Outcome read = session.Engine().GetValue(commandId, reply, kLutEntryMs);
        read != Outcome::Done) {
      // The transfer stops at its first failure: nothing is left to probe for.
      pass.NoteFailure(read, session.Engine().LastAnswerWasForAnother());
      break;
    }
    // A level outside the table's range is stored at the nearest end of it.
    table[static_cast<size_t>(j)] =
        static_cast<uint32_t>(std::clamp<int32_t>(reply, 0, static_cast<int32_t>(kLutMaxLevel)));
    scope.Step(text, j);
  }
  return pass.Result();
}

Outcome WriteTableToCamera(CameraSession& session, int channel, const LutTable& table) {
  if (!IsLutChannel(channel))
    return Outcome::BadInput;
  const int commandId = kLutChannelInfo[static_cast<size_t>(channel)].commandId;
  PassOutcome pass;
  TransferScope scope(session, kLutWriteProgressText);
  for (int j = 0; j < kLutEntries; ++j) {
    const auto level = static_cast<int32_t>(table[static_cast<size_t>(j)]);
    if (const Outcome sent = session.Engine().SetValue(commandId, level, kLutEntryMs);
        sent != Outcome::Done) {
      // The transfer stops at its first failure: nothing is left to probe for.
      pass.NoteFailure(sent, session.Engine().LastAnswerWasForAnother());
      break;
    }
    scope.Step(kLutWriteProgressText, j);
  }
  return pass.Result();
}

Outcome WriteTableToAllChannels(CameraSession& session, const LutTable& table) {
  PassOutcome pass;
  for (int channel = 0; channel < kLutChannels; ++channel) {
    const Outcome outcome = WriteTableToCamera(session, channel, table);
    pass.Note(outcome);
    // Each channel waited out its limit already: a camera that is gone or silent is given
    // up rather than waited for again.
    if (outcome == Outcome::ChannelLost || outcome == Outcome::NoReply)
      pass.GiveUp(outcome);
    if (pass.GivenUp())
      break;
  }
  return pass.Result();
}

LutReadAll ReadAllLutTables(CameraSession& session, LutTableSet& tables) {
  LutReadAll result;
  for (int channel = 0; channel < kLutChannels; ++channel) {
    ++result.channelsTried;
    result.outcome = ReadTableFromCamera(session, channel, tables[static_cast<size_t>(channel)]);
    if (result.outcome != Outcome::Done)
      break;
  }
  return result;
}

}  // namespace vistrel
