#pragma once

#include <cstdio>
#include <string>

#include "core/Interfaces.h"

namespace vistrel::bench {

// Messages of the program under measurement go to stderr; questions are answered no.
class PrintingPresenter : public IMessagePresenter {
 public:
  void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

}  // namespace vistrel::bench
