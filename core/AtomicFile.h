#pragma once

#include <string>

namespace vistrel {

// Replaces the file at `path` with `contents`: written to a temporary file in the same
// folder, flushed to disk and renamed over the target, so that a failure halfway leaves the
// old file as it was. The replaced file's permissions are kept. False when any step fails
// (the temporary file is then removed), with a readable reason in `error` when given.
// After a successful write, temporary files that killed runs left in the folder are removed
// (only those of this writer's naming whose process no longer exists).
bool WriteFileAtomically(const std::string& path, const std::string& contents,
                         std::string* error = nullptr);

// The folder part of a path ("." when there is none).
std::string FolderOf(const std::string& path);

}  // namespace vistrel
