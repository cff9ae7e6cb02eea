#include "core/Command.h"

#include <cstdio>

#include "core/CommandTable.h"
#include "core/Conversions.h"
#include "core/TextEscape.h"
#include "core/WireFormat.h"

namespace vistrel {
namespace {

// Said after a reply whose value is not a clean number.
constexpr const char* kGarbledNote = " (no clean number; the value was not taken)";

bool IsComplete(const std::string& reply) {
  static constexpr char kComplete[] = "COMPLETE";
  if (reply.size() < 8)
    return false;
  for (size_t i = 0; i < 8; ++i) {
    char c = reply[i];
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    if (c != kComplete[i])
      return false;
  }
  return true;
}

}  // namespace

Command::Command(ISerialChannel& channel, IMessagePresenter& messages)
    : channel_(&channel), messages_(messages) {}

void Command::Report(const std::string& text) {
  messages_.ShowMessage(EscapeControls(text), kCaption, MessageIcon::Exclamation);
}

std::string Command::CommandName(int commandId) {
  return std::string(CommandTable::Name(commandId));
}

std::string Command::BuildQuery(int commandId, bool withLineEnd) {
  std::string line = CommandName(commandId) + "?";
  if (withLineEnd)
    line += kLineEnd;
  return line;
}

std::string Command::BuildSetting(int commandId, const CommandValue& value) {
  const ValueKind kind =
      CommandTable::IsValidId(commandId) ? CommandTable::Entry(commandId).kind : ValueKind::Integer;
  return BuildSettingAs(commandId, value, kind);
}

std::string Command::BuildSettingAs(int commandId, const CommandValue& value, ValueKind kind) {
  std::string text;
  switch (kind) {
    case ValueKind::Integer:
      text = std::to_string(value.intValue);
      break;
    case ValueKind::Real: {
      const int decimals =
          CommandTable::IsValidId(commandId) ? CommandTable::Entry(commandId).decimals : 0;
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value.realValue);
      text = buffer;
      break;
    }
    case ValueKind::Text:
      text = value.text;
      break;
  }
  return CommandName(commandId) + "=" + text + kLineEnd;
}

void Command::ResetReceive() {
  position_ = 0;
  queue_.clear();
}

std::string Command::TakeReply() {
  if (queue_.empty())
    return {};
  std::string line = std::move(queue_.front());
  queue_.pop_front();
  return line;
}

bool Command::ReceiveLine(bool log, int waitMs) {
  const IClock::Duration deadline = clock_->After(waitMs);
  for (;;) {
    const int limit = waitMs > 0 ? clock_->RemainingMs(deadline) : 0;
    if (channel_->Read(&buffer_[position_], 1, limit) < 1) {
      lastEmptyAt_ = clock_->Now();
      return false;
    }
    lastByteAt_ = limit > 0 ? clock_->Now() : lastEmptyAt_;
    if (buffer_[position_] == '\n') {
      // The line ends before the LF; a CR just before it is the line end's and is dropped.
      int length = position_;
      if (length > 0 && buffer_[length - 1] == '\r')
        --length;
      std::string line(buffer_, static_cast<size_t>(length));
      position_ = 0;
      if (log)
        traffic_->AppendLine("Rx: " + EscapeControls(line));
      queue_.push_back(std::move(line));
      return true;
    }
    if (++position_ >= kReceiveBufferSize) {
      position_ = 0;
      // A flood without line ends is said once per exchange, not once per buffer.
      if (!overflowReported_)
        Report("RS-232C receiving buffer overflowed");
      overflowReported_ = true;
      return false;
    }
  }
}

void Command::DrainIdle() {
  while (ReceiveLine(true, 0)) {
  }
}

void Command::BeginExchange() {
  overflowReported_ = false;
  answeredOther_ = false;
  DrainIdle();
  DropLeftover();
  // What arrived in between is set aside; if the late answer owed is among it, it is owed
  // no more.
  for (const std::string& line : queue_) {
    ReplyFields fields;
    const bool named = ParseReply(line, fields) && fields.separator == "=";
    TakesOwedReply(fields, named);
  }
  queue_.clear();
  tookOwed_ = false;
}

void Command::DropLeftover() {
  if (position_ == 0 || clock_->Now() - lastByteAt_ < std::chrono::milliseconds(kLeftoverMs))
    return;
  traffic_->AppendLine("Rx: " + EscapeControls(std::string_view(buffer_, size_t(position_))) +
                       " (no line end; dropped)");
  position_ = 0;
}

Outcome Command::WriteLine(const std::string& line) {
  if (channel_->Write(line))
    return Outcome::Done;
  online_->SetOffline();
  return Outcome::ChannelLost;
}

int Command::Limit(int timeoutMs) const {
  return limitCapMs_ > 0 && timeoutMs > limitCapMs_ ? limitCapMs_ : timeoutMs;
}

Outcome Command::WaitForLine(int timeoutMs) {
  const IClock::Duration deadline = clock_->After(Limit(timeoutMs));
  for (;;) {
    // On a lost channel only what has already arrived can still be taken.
    int waitMs = channel_->Lost() ? 0 : clock_->RemainingMs(deadline);
    if (interrupted_ && waitMs > kInterruptCheckMs)
      waitMs = kInterruptCheckMs;
    if (!queue_.empty() || ReceiveLine(true, waitMs))
      return Outcome::Done;
    if (channel_->Lost())
      return Outcome::ChannelLost;
    if (clock_->RemainingMs(deadline) <= 0 || (interrupted_ && interrupted_()))
      return Outcome::NoReply;
  }
}

Outcome Command::WaitForAnswer(const std::string& expectedName, int timeoutMs,
                               std::string& answer) {
  const IClock::Duration deadline = clock_->After(Limit(timeoutMs));
  std::string passedOver;
  for (;;) {
    const Outcome waited = WaitForLine(clock_->RemainingMs(deadline));
    if (waited != Outcome::Done) {
      if (waited == Outcome::NoReply && !passedOver.empty()) {
        answer = passedOver;
        answeredOther_ = true;
        return NoteOwed(expectedName, Outcome::Refused);
      }
      return NoteOwed(expectedName, waited);
    }
    std::string line = TakeReply();
    ReplyFields fields;
    const bool named = ParseReply(line, fields) && fields.separator == "=";
    if (TakesOwedReply(fields, named))
      continue;
    if (expectedName.empty() ? !named : !named || fields.name == expectedName) {
      answer = std::move(line);
      return NoteOwed(expectedName, Outcome::Done);
    }
    if (passedOver.empty())
      passedOver = std::move(line);
  }
}

bool Command::TakesOwedReply(const ReplyFields& fields, bool named) {
  if (!replyOwed_ || named != !owedName_.empty())
    return false;
  if (named && fields.name != owedName_)
    return false;
  replyOwed_ = false;
  tookOwed_ = true;
  return true;
}

Outcome Command::NoteOwed(const std::string& expectedName, Outcome outcome) {
  // A camera that is merely slow answers later; the next exchange must not take that
  // answer for its own. One exchange at most is owed, so a lost line costs one exchange.
  replyOwed_ = outcome == Outcome::NoReply && !tookOwed_;
  owedName_ = expectedName;
  return outcome;
}

Outcome Command::Finish(Outcome outcome) {
  if (outcome == Outcome::NoReply || outcome == Outcome::ChannelLost) {
    online_->SetOffline();
  } else if (outcome != Outcome::BadInput) {
    online_->SetOnline();
  }
  return outcome;
}

Outcome Command::WaitComplete(int timeoutMs) {
  busy_->BeginBusy();
  std::string reply;
  const Outcome waited = WaitForAnswer("", timeoutMs, reply);
  busy_->EndBusy();
  if (Finish(waited) == Outcome::NoReply || waited == Outcome::ChannelLost)
    return waited;
  if (!IsComplete(reply)) {
    Report(reply);
    return Outcome::Refused;
  }
  return Outcome::Done;
}

bool Command::RefuseNameless(std::string_view line) {
  if (!line.empty() && line.front() != '=' && line.front() != '?')
    return false;
  messages_.ShowMessage(kNoCommandText, kCaption, MessageIcon::Exclamation);
  return true;
}

Outcome Command::SendLine(const std::string& line, int timeoutMs) {
  // A line break inside the line would put a second command on the wire.
  const std::string_view body =
      std::string_view(line).substr(0, line.ends_with(kLineEnd) ? line.size() - 2 : line.size());
  if (body.find_first_of("\r\n") != std::string_view::npos || RefuseNameless(body))
    return Outcome::BadInput;
  BeginExchange();
  if (const Outcome written = WriteLine(line); written != Outcome::Done)
    return written;
  return WaitComplete(timeoutMs);
}

Outcome Command::SendSetting(int commandId, const CommandValue& value, int timeoutMs) {
  return SendLine(BuildSetting(commandId, value), timeoutMs);
}

Outcome Command::SetValue(int commandId, int32_t value, int timeoutMs) {
  CommandValue v;
  v.kind = ValueKind::Integer;
  v.intValue = value;
  return SendSetting(commandId, v, timeoutMs);
}

Outcome Command::SetText(int commandId, const std::string& text, int timeoutMs) {
  CommandValue v;
  v.kind = ValueKind::Text;
  v.text = text;
  return SendLine(BuildSettingAs(commandId, v, ValueKind::Text), timeoutMs);
}

Outcome Command::Query(int commandId, CommandValue& out, int timeoutMs) {
  const std::string name = CommandName(commandId);
  if (RefuseNameless(name))
    return Outcome::BadInput;
  BeginExchange();
  if (const Outcome written = WriteLine(BuildQuery(commandId, true)); written != Outcome::Done)
    return written;
  std::string reply;
  const Outcome waited = WaitForAnswer(name, timeoutMs, reply);
  if (waited == Outcome::NoReply || waited == Outcome::ChannelLost)
    return Finish(waited);
  ReplyFields fields;
  ParseReply(reply, fields);
  const bool answersThis = waited == Outcome::Done && fields.failed == 0 && fields.name == name;
  if (answersThis && fields.garbled) {
    // A noisy byte turns 10000 into 1O000: such a value is not taken as any number.
    Report(reply + " for " + BuildQuery(commandId, false) + kGarbledNote);
    return Outcome::Refused;
  }
  if (answersThis) {
    out = fields.value;
    answerText_ = fields.valueAsSent;
    return Finish(Outcome::Done);
  }
  // The camera answered, but not this query; the link state stays as it was. The camera's
  // line is shown as it came, blanks and case included.
  Report(reply + " for " + BuildQuery(commandId, false));
  return Outcome::Refused;
}

Outcome Command::GetValue(int commandId, int32_t& out, int timeoutMs) {
  CommandValue value;
  const Outcome outcome = Query(commandId, value, timeoutMs);
  if (outcome == Outcome::Done)
    out = value.intValue;
  return outcome;
}

Outcome Command::GetText(int commandId, std::string& out, int timeoutMs) {
  CommandValue value;
  const Outcome outcome = Query(commandId, value, timeoutMs);
  if (outcome == Outcome::Done)
    out = value.text;
  return outcome;
}

Outcome Command::Exchange(const std::string& line, std::string& reply, int timeoutMs) {
  if (RefuseNameless(line))
    return Outcome::BadInput;
  BeginExchange();
  if (const Outcome written = WriteLine(line); written != Outcome::Done)
    return written;
  const Outcome waited = WaitForLine(timeoutMs);
  if (waited == Outcome::Done)
    reply = TakeReply();
  return waited;
}

Outcome Command::QueryRaw(int32_t& out, const std::string& line, int timeoutMs,
                          bool offlineOnTimeout) {
  std::string reply;
  if (const Outcome exchanged = Exchange(line, reply, timeoutMs); exchanged != Outcome::Done) {
    if (offlineOnTimeout || exchanged == Outcome::ChannelLost)
      online_->SetOffline();
    return exchanged;
  }
  ReplyFields fields;
  ParseReply(reply, fields);
  online_->SetOnline();
  // A camera that answers an indexed query with the bare value gives no separator; anything
  // else without one (a refusal, garbage) is no value, and neither is a value that is not a
  // clean number.
  const bool bare = fields.separator.empty();
  const std::vector<int32_t> numbers = fields.separator == "?"
                                           ? std::vector<int32_t>()
                                           : CleanNumbers(bare ? reply : fields.valueAsSent);
  // A named reply with two numbers is an entry of a table, or no value of a command that
  // holds one.
  const bool onePerName = !bare && !CarriesPair(fields.commandId);
  if (numbers.empty() || ((bare || onePerName) && numbers.size() != 1)) {
    const bool named = !bare && fields.separator == "=";
    Report(reply + " for " + line.substr(0, line.find_first_of("\r\n")) +
           (named ? kGarbledNote : ""));
    return Outcome::Refused;
  }
  out = numbers.front();
  return Outcome::Done;
}

bool Command::ParsePair(std::string_view line, int32_t& a, int32_t& b) {
  ReplyFields fields;
  if (!ParseReply(line, fields))
    return false;
  const std::vector<int32_t> numbers = CleanNumbers(fields.valueAsSent);
  if (numbers.size() != 2)
    return false;
  a = numbers[0];
  b = numbers[1];
  return true;
}

}  // namespace vistrel
