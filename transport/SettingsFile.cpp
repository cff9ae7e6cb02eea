#include "transport/SettingsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string>

#include "core/AtomicFile.h"

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

std::optional<SettingsFile> SettingsFile::Parse(std::string_view content) {
  SettingsFile file;
  while (!content.empty()) {
    const size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (line.empty() || line.front() == '#')
      continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0)
      return std::nullopt;
    const std::string_view name = line.substr(0, equals);
    const std::string_view typed = line.substr(equals + 1);
    if (typed.starts_with(kNumberTag)) {
      const std::string_view digits = typed.substr(kNumberTag.size());
      if (!IsNumber(digits))
        return std::nullopt;
      file.Set(name, Type::Number, std::string(digits));
    } else if (typed.starts_with(kTextTag)) {
      file.Set(name, Type::Text, Unescape(typed.substr(kTextTag.size())));
    } else {
      return std::nullopt;
    }
  }
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

SettingsFile::LoadResult SettingsFile::Load(const std::string& path, SettingsFile& out) {
  out = SettingsFile();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return errno == ENOENT ? LoadResult::Missing : LoadResult::Unreadable;
  std::string content;
  char chunk[4096];
  ssize_t n = 0;
  while ((n = ::read(fd, chunk, sizeof chunk)) != 0) {
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      ::close(fd);
      return LoadResult::Unreadable;
    }
    content.append(chunk, static_cast<size_t>(n));
  }
  ::close(fd);
  std::optional<SettingsFile> parsed = Parse(content);
  if (!parsed)
    return LoadResult::Corrupt;
  out = std::move(*parsed);
  return LoadResult::Loaded;
}

bool SettingsFile::Save(const std::string& path) const {
  return WriteFileAtomically(path, Serialize());
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
