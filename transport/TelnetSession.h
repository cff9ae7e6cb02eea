#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vistrel {

// The telnet side of a network serial port: option negotiation, the COM port control option
// (port settings, purge, the server's notifications) and the escaping of data bytes. It only
// turns bytes into bytes; the socket is the caller's.
class TelnetSession {
 public:
  static constexpr uint8_t kIac = 255;
  static constexpr uint8_t kDont = 254;
  static constexpr uint8_t kDo = 253;
  static constexpr uint8_t kWont = 252;
  static constexpr uint8_t kWill = 251;
  static constexpr uint8_t kSb = 250;
  static constexpr uint8_t kSe = 240;
  static constexpr uint8_t kBinary = 0;
  static constexpr uint8_t kSuppressGoAhead = 3;
  static constexpr uint8_t kComPortOption = 44;

  // The client's requests of the COM port control option; the server answers each with the
  // code plus kServerOffset.
  static constexpr uint8_t kSetBaudRate = 1;
  static constexpr uint8_t kSetDataSize = 2;
  static constexpr uint8_t kSetParity = 3;
  static constexpr uint8_t kSetStopSize = 4;
  static constexpr uint8_t kPurgeData = 12;
  static constexpr uint8_t kServerOffset = 100;
  static constexpr uint8_t kParityNone = 1;
  static constexpr uint8_t kStopOne = 1;
  static constexpr uint8_t kStopTwo = 2;
  static constexpr uint8_t kStopOneAndHalf = 3;
  static constexpr uint8_t kPurgeReceived = 1;  // what the server holds from the serial line

  enum class ComPort { Pending, Accepted, Refused };

  // What the client says first: it offers the COM port control option and binary data both
  // ways.
  std::string Greeting();

  // Takes bytes from the server: the data bytes are appended to `data`, the answers the
  // negotiation calls for to `answers` (to be sent back).
  void Feed(const char* bytes, size_t length, std::string& data, std::string& answers);

  ComPort ComPortState() const { return comPort_; }
  // Whether the server has sent any telnet command at all (a raw server sends none).
  bool HeardTelnet() const { return heardTelnet_; }
  // The value the server last reported for a port setting (kSetBaudRate..kSetStopSize).
  std::optional<uint32_t> Reported(uint8_t request) const;
  void ForgetReported() { reported_ = {}; }

  // Data bytes as they go on the wire: IAC doubled, and while the client does not send
  // binary, a CR not followed by LF becomes CR NUL.
  std::string EncodeData(const char* bytes, size_t length) const;
  // A COM port control request with its value (IAC in the value doubled).
  static std::string ComPortRequest(uint8_t request, const std::string& value);
  static std::string BaudRateValue(uint32_t rate);

 private:
  enum class State { Data, Iac, Verb, Sub, SubIac };
  static constexpr size_t kMaxSubLength = 64;
  // The most option answers a session gives: a server that keeps turning options on and off
  // gets no more, so that what it sends never makes the session send without end.
  static constexpr int kMostAnswers = 64;

  void Answer(std::string& answers, uint8_t verb, uint8_t option);
  void Command(uint8_t verb, uint8_t option, std::string& answers);
  void ServerOffers(uint8_t verb, uint8_t option, std::string& answers);
  void ServerAsks(uint8_t verb, uint8_t option, std::string& answers);
  void EndSub();

  State state_ = State::Data;
  uint8_t verb_ = 0;
  std::string sub_;
  bool lastWasCr_ = false;
  bool heardTelnet_ = false;
  ComPort comPort_ = ComPort::Pending;
  std::array<bool, 256> us_{};          // options in effect on our side
  std::array<bool, 256> usPending_{};   // WILL sent, answer awaited
  std::array<bool, 256> him_{};         // options in effect on the server's side
  std::array<bool, 256> himPending_{};  // DO sent, answer awaited
  // Options refused once: a server that asks again is not answered again, so that no server
  // can make the session answer without end.
  std::array<bool, 256> usRefused_{};
  std::array<bool, 256> himRefused_{};
  int answered_ = 0;
  std::array<std::optional<uint32_t>, kSetStopSize + 1> reported_{};
};

}  // namespace vistrel
