#include "core/AtomicFile.h"

#include <windows.h>

#include <atomic>
#include <filesystem>

namespace vistrel {
namespace {

constexpr const wchar_t* kTemporaryPrefix = L".vistrel-";
constexpr int kMaxCreateAttempts = 100;

std::string SystemText(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string out = length && text ? std::string(text, length) : "error " + std::to_string(code);
  LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == '.'))
    out.pop_back();
  return out;
}

bool Fail(std::string* error, const std::string& what, const std::string& path, DWORD code) {
  if (error)
    *error = what + " " + path + ": " + SystemText(code);
  return false;
}

// A new file beside `target`, opened for writing; INVALID_HANDLE_VALUE when none could be made.
HANDLE CreateTemporary(const std::filesystem::path& target, std::filesystem::path& name) {
  static std::atomic<unsigned> counter{0};
  const std::wstring base =
      std::wstring(kTemporaryPrefix) + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < kMaxCreateAttempts; ++attempt) {
    name = target.parent_path() / (base + std::to_wstring(counter++));
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
      return file;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

// Puts `temp` in the place of `target`: ReplaceFile keeps the replaced file's attributes and
// security; a target that does not exist yet is made by the move.
bool Replace(const std::filesystem::path& temp, const std::filesystem::path& target) {
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
    return ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr) != 0;
  return MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

std::string WriteRefusal(const std::string& path) {
  const std::filesystem::path target(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return "refusing to replace " + path +
           ": it is a folder; only a regular file is replaced: choose another name";
  return {};
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos)
    return ".";
  if (slash == 0 || (slash == 2 && path[1] == ':'))
    return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string* error,
                         std::string* notice) {
  // ReplaceFile keeps the replaced file's owner and security, so there is nothing to report.
  if (notice)
    notice->clear();
  if (std::string refusal = WriteRefusal(path); !refusal.empty()) {
    if (error)
      *error = std::move(refusal);
    return false;
  }
  const std::filesystem::path target = std::filesystem::absolute(std::filesystem::path(path));
  std::filesystem::path temp;
  HANDLE file = CreateTemporary(target, temp);
  if (file == INVALID_HANDLE_VALUE)
    return Fail(error, "cannot create a file in", FolderOf(path), GetLastError());
  bool written = WriteAll(file, contents) && FlushFileBuffers(file);
  const DWORD writeError = GetLastError();
  written = CloseHandle(file) && written;
  if (!written) {
    DeleteFileW(temp.c_str());
    return Fail(error, "cannot write", temp.string(), writeError);
  }
  if (!Replace(temp, target)) {
    const DWORD replaceError = GetLastError();
    DeleteFileW(temp.c_str());
    return Fail(error, "cannot replace", path, replaceError);
  }
  return true;
}

}  // namespace vistrel
