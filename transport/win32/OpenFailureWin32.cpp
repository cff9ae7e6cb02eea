#include <windows.h>

#include <string>

#include "transport/OpenFailure.h"

namespace vistrel {

namespace {

std::string SystemText(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string out = length && text ? std::string(text, length) : "error " + std::to_string(code);
  LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
    out.pop_back();
  return out;
}

}  // namespace

// `error` is the GetLastError code of CreateFile. A COM port another program holds answers
// "access denied": it cannot be shared.
std::string OpenFailureAdvice(int error, const std::string& device) {
  switch (DWORD(error)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "There is no such device: " + device +
             ".\nCheck that the adapter is plugged in, or choose the port it appears as.";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
      return device + " is in use by another program.\nClose that program and try again.";
    default:
      return device + ": " + SystemText(DWORD(error));
  }
}

}  // namespace vistrel
