// What the COM port does the same way on every platform: the open failure messages, the start
// and end of the receive thread, the writer's lock and failure mark and the reader's side of
// the receive ring.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>

#include "transport/CRs232c.h"

namespace vistrel {

namespace {

struct OpenMessageEntry {
  CRs232c::OpenStep step;
  const char* text;
};

// The steps of opening a port, named after the platform calls that fail; where a platform has
// no such call its message is kept with the others.
constexpr std::array<OpenMessageEntry, 6> kOpenMessages = {{
    {CRs232c::OpenStep::CreateFile, "Failed to initialize %s port!\nError in CreateFile()"},
    {CRs232c::OpenStep::SetCommMask, "Failed to initialize %s port!\nError in SetCommMask()"},
    {CRs232c::OpenStep::SetupComm, "Failed to initialize %s port!\nError in SetupComm()"},
    {CRs232c::OpenStep::SetCommTimeouts,
     "Failed to initialize %s port!\nError in SetCommTimeouts()"},
    {CRs232c::OpenStep::GetCommState, "Failed to initialize %s port!\nError in GetCommState()"},
    {CRs232c::OpenStep::SetCommState, "Failed to initialize %s port!\nError in SetCommState()"},
}};

}  // namespace

const char* CRs232c::OpenMessage(OpenStep step) {
  for (const OpenMessageEntry& entry : kOpenMessages) {
    if (entry.step == step)
      return entry.text;
  }
  return "";
}

bool CRs232c::ReportOpenFailure(OpenStep step, const std::string& name, const std::string& advice) {
  if (!reportFailures_)
    return false;
  char text[256];
  std::snprintf(text, sizeof text, OpenMessage(step), name.c_str());
  messages_.ShowMessage(advice.empty() ? std::string(text) : std::string(text) + "\n" + advice, "",
                        MessageIcon::Exclamation);
  return false;
}

bool CRs232c::StartReceiving() {
  running_ = true;
  writeFailed_ = false;
  ring_.Reset();
  receiveThread_ = std::thread([this] { ReceiveLoop(); });
  return true;
}

void CRs232c::ReceiveLoop() {
  ReceiveUntilHangUp();
  // Whatever ended the loop, nothing more arrives: a waiting reader need not wait on.
  ring_.MarkEnded();
}

bool CRs232c::Write(const char* bytes, int length) {
  if (!IsOpen() || length < 1)
    return false;
  std::lock_guard lock(writeMutex_);
  if (WriteAll(bytes, length))
    return true;
  writeFailed_ = true;
  return false;
}

int CRs232c::Read(char* buffer, int max) {
  if (!IsOpen() || max < 1)
    return 0;
  return ring_.Take(buffer, max);
}

int CRs232c::Read(char* buffer, int count, int limitMs) {
  if (count < 1)
    return 0;
  if (!IsOpen()) {
    // Nothing can arrive: wait out the limit so that callers polling in a loop do not spin.
    clock_->Pause(limitMs);
    return 0;
  }
  return ring_.TakeUntil(
      buffer, count,
      std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(limitMs, 0)));
}

}  // namespace vistrel
