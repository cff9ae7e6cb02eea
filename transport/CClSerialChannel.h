#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Interfaces.h"
#include "transport/ClLibrary.h"

namespace vistrel {

// What the three Camera Link channel classes share: the list of selectable names, the
// loaded library, the serial reference, and writing, reading and closing through the
// library. The subclasses fill the list, open a port and set its baud rate.
class CClSerialChannel {
 public:
  static constexpr const char* kBaudRefused = "Selected baud rate is not supported.";
  static constexpr uint32_t kNameBytes = 128;

  explicit CClSerialChannel(IMessagePresenter& messages) : messages_(messages) {}
  virtual ~CClSerialChannel() { Close(); }
  CClSerialChannel(const CClSerialChannel&) = delete;
  CClSerialChannel& operator=(const CClSerialChannel&) = delete;

  // Rebuilds the name list. An open port stays usable: the enumeration holds its own
  // reference to the library.
  virtual void RefreshNames() = 0;
  // Loads the library and opens the port chosen by `index` of the name list. The list is
  // refreshed first if it never was.
  virtual bool Open(uint32_t index) = 0;
  virtual bool SetBaudRate(uint32_t rate) = 0;

  bool Write(const char* bytes, uint32_t length, uint32_t limitMs);
  // Returns the number of bytes read; a failed or timed-out read counts as 0.
  int Read(char* buffer, uint32_t length, uint32_t limitMs);
  void Close();
  bool IsOpen() const { return hasReference_; }

  const std::vector<std::string>& PortNameList() const { return portNames_; }
  // Why the last Open found no library to use, naming the file or folder looked in; empty
  // when it had one (even if the port then failed to open).
  const std::string& LibraryProblem() const { return libraryProblem_; }
  // The list entry, or an empty text when the list has no such entry.
  std::string PortName(uint32_t index) const;

 protected:
  void EnsureNames();
  // Loads `file` with `functions`; on failure notes the problem for the `generation`
  // ("Camera Link 2001").
  bool LoadClLibrary(const std::string& file, std::span<const ClFunction> functions,
                     const std::string& generation);
  std::string libraryProblem_;
  void SetNames(std::vector<std::string> names);
  // clSerialInit(index) on the loaded library; on failure the library is released.
  bool InitSerial(uint32_t index);
  // Checks the rate against clGetSupportedBaudRates and sets its bit; shows `refusal`.
  bool SetCheckedBaudRate(uint32_t rate, const std::string& refusal);
  void Refuse(const std::string& text);
  // What waits on a newly opened port answers nobody's question.
  void DiscardInput();

  IMessagePresenter& messages_;
  ClLibrary library_;

 private:
  std::vector<std::string> portNames_;
  bool refreshed_ = false;
  ClSerialRef reference_ = nullptr;
  bool hasReference_ = false;
};

// What the Camera Link 2001 and 1.1 bindings share: a library the platform's loader finds by
// its file name, loaded with the binding's own function set, and the opening of a port. The
// bindings fill their lists and take the step before clSerialInit each in their own way.
class CClSerialLoadedChannel : public CClSerialChannel {
 public:
  bool Open(uint32_t index) final;

 protected:
  // `generation` names the binding in the message of a library that does not load.
  CClSerialLoadedChannel(IMessagePresenter& messages, std::string library,
                         std::span<const ClFunction> functions, const char* generation)
      : CClSerialChannel(messages),
        libraryFile_(std::move(library)),
        functions_(functions),
        generation_(generation) {}

  // Loads the library with the binding's functions into `library`: library_ for a port, a
  // reference of its own for an enumeration (an open port keeps the library loaded).
  bool LoadInto(ClLibrary& library) const { return library.Load(libraryFile_, functions_); }

 private:
  // The binding's step on the loaded library before clSerialInit; false (with the library
  // released) stops the open.
  virtual bool PrepareOpen(uint32_t index) = 0;

  std::string libraryFile_;
  std::span<const ClFunction> functions_;
  const char* generation_;
};

}  // namespace vistrel
