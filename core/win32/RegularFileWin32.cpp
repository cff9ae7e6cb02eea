#include <windows.h>

#include <cstring>

#include "core/RegularFile.h"

namespace vistrel {
namespace {

constexpr DWORD kChunkBytes = 64 * 1024;

FileCheck Failed(FileStatus status, std::size_t maxBytes, int error = 0) {
  return FileCheck{status, error, maxBytes};
}

// Opens `path` for reading and checks what it is; `file` is open only when the result is Ok.
// Devices (COM1, NUL, CON) and pipes are not disk files and are refused before any read.
FileCheck OpenRegularFile(const std::string& path, std::size_t maxBytes, HANDLE& file) {
  file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return Failed(FileStatus::CannotOpen, maxBytes, int(GetLastError()));
  FileCheck check{FileStatus::Ok, 0, maxBytes};
  BY_HANDLE_FILE_INFORMATION info{};
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    check = Failed(FileStatus::NotRegular, maxBytes);
  else if (!GetFileSizeEx(file, &size))
    check = Failed(FileStatus::CannotOpen, maxBytes, int(GetLastError()));
  else if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
    check = Failed(FileStatus::TooLarge, maxBytes);
  if (!check.Ok()) {
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
  }
  return check;
}

}  // namespace

// `error` holds a GetLastError code here.
std::string FileCheck::Reason() const {
  switch (status) {
    case FileStatus::Ok:
      return "readable";
    case FileStatus::CannotOpen:
    case FileStatus::ReadFailed: {
      char text[256] = {};
      const DWORD length =
          FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         DWORD(error), 0, text, sizeof text, nullptr);
      std::string out = length ? std::string(text, length) : "error " + std::to_string(error);
      while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == '.'))
        out.pop_back();
      return out;
    }
    case FileStatus::NotRegular:
      return "not a regular file";
    case FileStatus::TooLarge:
      return "larger than " + std::to_string(maxBytes) + " bytes";
  }
  return {};
}

FileCheck CheckRegularFile(const std::string& path, std::size_t maxBytes) {
  HANDLE file = INVALID_HANDLE_VALUE;
  const FileCheck check = OpenRegularFile(path, maxBytes, file);
  if (file != INVALID_HANDLE_VALUE)
    CloseHandle(file);
  return check;
}

FileCheck ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& contents) {
  contents.clear();
  HANDLE file = INVALID_HANDLE_VALUE;
  FileCheck check = OpenRegularFile(path, maxBytes, file);
  if (!check.Ok())
    return check;
  std::string chunk(kChunkBytes, '\0');
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file, chunk.data(), kChunkBytes, &n, nullptr)) {
      check = Failed(FileStatus::ReadFailed, maxBytes, int(GetLastError()));
      break;
    }
    if (n == 0)
      break;
    if (contents.size() + n > maxBytes) {
      check = Failed(FileStatus::TooLarge, maxBytes);
      break;
    }
    contents.append(chunk.data(), n);
  }
  CloseHandle(file);
  if (!check.Ok())
    contents.clear();
  return check;
}

}  // namespace vistrel
