#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/ControlIds.h"
#include "support/HandlerRig.h"

namespace vistrel::test {

// The handlers on the in-process simulated camera, with a widget-free panel that holds the
// controls of the main page a handler test needs.
class HandlerFixture : public ::testing::Test, public HandlerRig {
 protected:
  explicit HandlerFixture(const std::string& model = "QX-70500C-VLNK", uint32_t rateMask = 31)
      : HandlerRig(Config(model, rateMask)) {
    session.SetModel({ModelCodeFor(model), model});
    channel.SetResponder([this](const std::string& text) -> std::string {
      for (const auto& [prefix, reply] : answers) {
        if (text.starts_with(prefix))
          return reply;
      }
      for (const std::string& prefix : channel.refused) {
        if (text.starts_with(prefix))
          return "ERROR: refused for the test\r\n";
      }
      return channel.peer.Exchange(text);
    });
    DeclareMainPage();
    table.MarkAllSent();  // as after a read: the table holds what the camera holds
  }

  static SimConfig Config(const std::string& model, uint32_t rateMask) {
    SimConfig config;
    config.model = model;
    config.rateMask = rateMask;
    return config;
  }

  void DeclareMainPage() {
    panel.AddNumber(ctl::OFL, 1358, 0, 3000);
    panel.AddNumber(ctl::HTL, 1360, 8, 3008);
    panel.AddNumber(ctl::OFC, 2511, 0, 4016);
    panel.AddNumber(ctl::WTC, 2513, 96, 4112);
    panel.AddNumber(ctl::PE, 1339, 1, 8000000);
    panel.AddNumber(ctl::AR, ctl::ARSpin, 1, 8000000);
    panel.AddNumber(ctl::CMVRR, 2628, -20, 20);
    panel.AddNumber(ctl::CEVALR, 2645, 0, 1);
    panel.AddNumber(ctl::SQW, 2774, 96, 4112);
    panel.AddNumber(ctl::SQOX, 2778, 0, 4112);
    panel.AddNumber(ctl::SQH, 2776, 8, 3008);
    panel.AddNumber(ctl::SQOY, 2780, 0, 3008);
    panel.AddNumber(ctl::BaudLimitText, 5110, 1, 64);
    panel.AddChoice(ctl::SQHB, {"Off", "x2"});
    panel.AddChoice(ctl::SQVB, {"Off", "x2"});
    panel.AddChoice(ctl::IGM, {"Off", "On"});
    panel.AddChoice(ctl::ETM, {"Off", "On"});
    panel.AddChoice(ctl::EM, {"Off", "Timed", "TriggerWidth"}, 1);
    panel.AddChoice(ctl::ASC, {"Off", "Continuous"});
    panel.AddChoice(ctl::TM, {"Off", "On"});
    panel.AddChoice(ctl::VSM, {"Normal"});
    panel.AddChoice(ctl::GMA, {"0.45", "0.5", "0.55", "0.6", "0.65", "0.75", "0.8", "0.9", "1.0"});
    panel.AddChoice(ctl::CLCFG, {"Base", "Medium", "Full", "Eighty-Bit"}, 1);
    panel.AddChoice(ctl::BA, {"Mono8", "Mono10", "Mono12"});
    panel.AddChoice(ctl::TAGM, {"1X2_1Y", "1X3_1Y", "1X4_1Y", "1X8_1Y", "1X10_1Y"});
    panel.AddChoice(ctl::CLCF, {"37.1MHz", "74.3MHz", "84.9MHz"}, 2);
    panel.AddChoice(ctl::HB, {"Off", "x2"});
    panel.AddChoice(ctl::VB, {"Off", "x2"});
    panel.SetItemValues(ctl::HB, {1, 2});
    panel.SetItemValues(ctl::VB, {1, 2});
  }

  // Puts a value into the camera and the table, as a read would have.
  void Hold(int ctrlId, const std::string& name, int32_t value) {
    channel.peer.Exchange(name + "=" + std::to_string(value) + "\r\n");
    table.SetDataValue(ctrlId, value);
    table.MarkAllSent();
    panel.ShowParameter(ctrlId, value);
  }

  // The lines written from now on.
  void ClearWire() { channel.written.clear(); }
  std::vector<std::string> Wire() const { return channel.Lines(); }

  int32_t SpinMaximum(int spinId) const { return panel.SpinOf(spinId).maximum; }

  // Replies by the start of the line written, ahead of the camera.
  std::map<std::string, std::string> answers;
};

}  // namespace vistrel::test
