#include "transport/SettingsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string>

#include "core/AtomicFile.h"
#include "core/RegularFile.h"

namespace vistrel {

namespace {

constexpr std::string_view kNumberTag = "number:";
constexpr std::string_view kTextTag = "text:";
constexpr const char* kHeader =
    "# Vistrel stored settings. One value a line: Name=number:N or Name=text:T\n";

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    if (next == 'n') {
      out += '\n';
    } else if (next == 'r') {
      out += '\r';
    } else if (next == '\\') {
      out += '\\';
    } else {  // an unknown escape is kept as it was written
      out += '\\';
      out += next;
    }
  }
  return out;
}

bool IsNumber(std::string_view digits) {
  uint32_t value = 0;
  const char* end = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  return !digits.empty() && ec == std::errc() && ptr == end;
}

}  // namespace

bool SettingsFile::ParseLine(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals == 0)
    return false;
  const std::string_view name = line.substr(0, equals);
  const std::string_view typed = line.substr(equals + 1);
  if (typed.starts_with(kNumberTag)) {
    const std::string_view digits = typed.substr(kNumberTag.size());
    if (!IsNumber(digits))
      return false;
    Set(name, Type::Number, std::string(digits));
    return true;
  }
  if (typed.starts_with(kTextTag)) {
    Set(name, Type::Text, Unescape(typed.substr(kTextTag.size())));
    return true;
  }
  return false;
}

SettingsFile SettingsFile::ParseGoodLines(std::string_view content, size_t* dropped) {
  SettingsFile file;
  size_t bad = 0;
  while (!content.empty()) {
    const size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (line.empty() || line.front() == '#')
      continue;
    if (!file.ParseLine(line))
      ++bad;
  }
  if (dropped)
    *dropped = bad;
  return file;
}

std::optional<SettingsFile> SettingsFile::Parse(std::string_view content) {
  size_t dropped = 0;
  SettingsFile file = ParseGoodLines(content, &dropped);
  if (dropped > 0)
    return std::nullopt;
  return file;
}

std::string SettingsFile::Serialize() const {
  std::string out = kHeader;
  for (const Entry& entry : entries_) {
    out += entry.name;
    out += '=';
    if (entry.type == Type::Number) {
      out += kNumberTag;
      out += entry.value;
    } else {
      out += kTextTag;
      out += Escape(entry.value);
    }
    out += '\n';
  }
  return out;
}

const SettingsFile::Entry* SettingsFile::Find(std::string_view name) const {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [name](const Entry& entry) { return entry.name == name; });
  return it == entries_.end() ? nullptr : &*it;
}

void SettingsFile::Set(std::string_view name, Type type, std::string value) {
  for (Entry& entry : entries_) {
    if (entry.name == name) {
      entry.type = type;
      entry.value = std::move(value);
      return;
    }
  }
  entries_.push_back(Entry{std::string(name), type, std::move(value)});
}

void SettingsFile::SetNumber(std::string_view name, uint32_t value) {
  Set(name, Type::Number, std::to_string(value));
}

void SettingsFile::SetText(std::string_view name, std::string_view text) {
  Set(name, Type::Text, std::string(text));
}

SettingsFile::LoadResult SettingsFile::Load(const std::string& path, SettingsFile& out,
                                            std::string* reason) {
  out = SettingsFile();
  std::string content;
  const FileCheck read = ReadRegularFile(path, kMaxBytes, content);
  if (read.status == FileStatus::CannotOpen && read.error == ENOENT)
    return LoadResult::Missing;
  if (!read.Ok()) {
    if (reason)
      *reason = read.Reason();
    return LoadResult::Unreadable;
  }
  size_t dropped = 0;
  out = ParseGoodLines(content, &dropped);
  return dropped == 0 ? LoadResult::Loaded : LoadResult::Corrupt;
}

bool SettingsFile::Save(const std::string& path, std::string* error) const {
  return WriteFileAtomically(path, Serialize(), error);
}

SettingsLock::SettingsLock(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0)
    return;
  int result = 0;
  while ((result = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (result != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

SettingsLock::~SettingsLock() {
  if (fd_ >= 0)
    ::close(fd_);  // closing releases the lock
}

}  // namespace vistrel
