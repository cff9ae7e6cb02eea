#pragma once

#include "app/AppServices.h"
#include "app/MenuPart.h"

class QWidget;

namespace vistrel {

class CAdjustProgressDialog;
class CCommunicationDialog;
class CProgressBarDialog;
class CTerminalDialog;

// The windows beside the pages: the communication window and the terminal, which show the
// command traffic, and the progress windows of long runs and of the one-shot adjustments.
class ToolWindows final : public IMenuPart {
 public:
  ToolWindows(AppServices& services, ICommunicationHost& host, QWidget* parent);
  ~ToolWindows() override;
  ToolWindows(const ToolWindows&) = delete;
  ToolWindows& operator=(const ToolWindows&) = delete;

  CTerminalDialog& Terminal() { return *terminal_; }
  CCommunicationDialog& Communication() { return *communication_; }
  CProgressBarDialog& Progress() { return *progress_; }
  // Cancels a one-shot adjustment in progress, which sets it back to off.
  void StopAdjustment();
  bool Run(int menuId) override;

 private:
  AppServices& services_;
  CTerminalDialog* terminal_;
  CCommunicationDialog* communication_;
  CProgressBarDialog* progress_;
  CAdjustProgressDialog* adjustProgress_;
};

}  // namespace vistrel
