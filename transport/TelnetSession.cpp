#include "transport/TelnetSession.h"

namespace vistrel {

namespace {

constexpr uint8_t kCr = '\r';
constexpr uint8_t kLf = '\n';

bool WeOffer(uint8_t option) {
  return option == TelnetSession::kBinary || option == TelnetSession::kComPortOption ||
         option == TelnetSession::kSuppressGoAhead;
}

bool WeAccept(uint8_t option) {
  return option == TelnetSession::kBinary || option == TelnetSession::kSuppressGoAhead;
}

std::string Triple(uint8_t verb, uint8_t option) {
  return {char(TelnetSession::kIac), char(verb), char(option)};
}

}  // namespace

std::string TelnetSession::Greeting() {
  usPending_[kComPortOption] = usPending_[kBinary] = himPending_[kBinary] = true;
  return Triple(kWill, kComPortOption) + Triple(kWill, kBinary) + Triple(kDo, kBinary);
}

void TelnetSession::Feed(const char* bytes, size_t length, std::string& data,
                         std::string& answers) {
  for (size_t i = 0; i < length; ++i) {
    const uint8_t byte = uint8_t(bytes[i]);
    switch (state_) {
      case State::Data:
        if (byte == kIac) {
          state_ = State::Iac;
        } else if (byte == 0 && lastWasCr_ && !him_[kBinary]) {
          lastWasCr_ = false;  // the NUL a CR carries outside binary mode
        } else {
          data.push_back(char(byte));
          lastWasCr_ = byte == kCr;
        }
        break;
      case State::Iac:
        heardTelnet_ = true;
        if (byte == kIac) {
          data.push_back(char(byte));
          lastWasCr_ = false;
          state_ = State::Data;
        } else if (byte >= kWill && byte <= kDont) {
          verb_ = byte;
          state_ = State::Verb;
        } else if (byte == kSb) {
          sub_.clear();
          state_ = State::Sub;
        } else {
          state_ = State::Data;  // NOP, GA and the other one-byte commands
        }
        break;
      case State::Verb:
        Command(verb_, byte, answers);
        state_ = State::Data;
        break;
      case State::Sub:
        if (byte == kIac)
          state_ = State::SubIac;
        else if (sub_.size() < kMaxSubLength)
          sub_.push_back(char(byte));
        break;
      case State::SubIac:
        if (byte == kSe) {
          EndSub();
          state_ = State::Data;
        } else {
          if (sub_.size() < kMaxSubLength)
            sub_.push_back(char(byte));  // IAC IAC inside: one 255
          state_ = State::Sub;
        }
        break;
    }
  }
}

void TelnetSession::Answer(std::string& answers, uint8_t verb, uint8_t option) {
  if (answered_ >= kMostAnswers)
    return;
  ++answered_;
  answers += Triple(verb, option);
}

void TelnetSession::Command(uint8_t verb, uint8_t option, std::string& answers) {
  if (verb == kDo || verb == kDont)
    ServerAsks(verb, option, answers);
  else
    ServerOffers(verb, option, answers);
}

// DO / DONT: about an option on our side.
void TelnetSession::ServerAsks(uint8_t verb, uint8_t option, std::string& answers) {
  const bool pending = usPending_[option];
  usPending_[option] = false;
  if (verb == kDo) {
    if (!WeOffer(option)) {
      if (!usRefused_[option])
        Answer(answers, kWont, option);
      usRefused_[option] = true;
      return;
    }
    if (!us_[option] && !pending)
      Answer(answers, kWill, option);
    us_[option] = true;
    if (option == kComPortOption)
      comPort_ = ComPort::Accepted;
    return;
  }
  if (us_[option] && !pending)
    Answer(answers, kWont, option);
  us_[option] = false;
  if (option == kComPortOption)
    comPort_ = ComPort::Refused;
}

// WILL / WONT: about an option on the server's side.
void TelnetSession::ServerOffers(uint8_t verb, uint8_t option, std::string& answers) {
  const bool pending = himPending_[option];
  himPending_[option] = false;
  if (verb == kWill) {
    if (!WeAccept(option)) {
      if (!himRefused_[option])
        Answer(answers, kDont, option);
      himRefused_[option] = true;
      return;
    }
    if (!him_[option] && !pending)
      Answer(answers, kDo, option);
    him_[option] = true;
    return;
  }
  if (him_[option] && !pending)
    Answer(answers, kDont, option);
  him_[option] = false;
}

void TelnetSession::EndSub() {
  if (sub_.size() < 2 || uint8_t(sub_[0]) != kComPortOption)
    return;
  const uint8_t code = uint8_t(sub_[1]);
  // Only the answers to the port settings are kept; line and modem state notifications,
  // flow control and the signature carry nothing this program acts on.
  if (code <= kServerOffset || code > kServerOffset + kSetStopSize)
    return;
  const uint8_t request = code - kServerOffset;
  const std::string value = sub_.substr(2);
  if (request == kSetBaudRate) {
    if (value.size() != 4)
      return;
    uint32_t rate = 0;
    for (char c : value)
      rate = (rate << 8) | uint8_t(c);
    reported_[request] = rate;
  } else if (value.size() == 1) {
    reported_[request] = uint8_t(value[0]);
  }
}

std::optional<uint32_t> TelnetSession::Reported(uint8_t request) const {
  if (request < kSetBaudRate || request > kSetStopSize)
    return std::nullopt;
  return reported_[request];
}

std::string TelnetSession::EncodeData(const char* bytes, size_t length) const {
  std::string wire;
  wire.reserve(length + length / 8);
  for (size_t i = 0; i < length; ++i) {
    const uint8_t byte = uint8_t(bytes[i]);
    wire.push_back(char(byte));
    if (byte == kIac)
      wire.push_back(char(kIac));
    else if (byte == kCr && !us_[kBinary] && (i + 1 >= length || uint8_t(bytes[i + 1]) != kLf))
      wire.push_back('\0');
  }
  return wire;
}

std::string TelnetSession::ComPortRequest(uint8_t request, const std::string& value) {
  std::string wire{char(kIac), char(kSb), char(kComPortOption), char(request)};
  for (char c : value) {
    wire.push_back(c);
    if (uint8_t(c) == kIac)
      wire.push_back(c);
  }
  wire += {char(kIac), char(kSe)};
  return wire;
}

std::string TelnetSession::BaudRateValue(uint32_t rate) {
  return {char(rate >> 24), char(rate >> 16), char(rate >> 8), char(rate)};
}

}  // namespace vistrel
