#pragma once

#include <string>

namespace vistrel {

// Replaces the file at `path` with `contents`: written to a temporary file in the same
// folder, flushed to disk and renamed over the target, so that a failure halfway leaves the
// old file as it was. The temporary file has the final permissions from its creation on (the
// replaced file's, else the usual ones); the replaced file's owner and group are kept where
// this user may give them, and `notice` says so when they could not be (empty otherwise).
// A symbolic link is written through (its target is replaced, or made when missing) unless
// it sits in a shared sticky folder such as /tmp and belongs neither to this user nor to the
// folder's owner: such a link is refused, in the folders of the path as in its last part.
// Only a regular file is replaced: a destination (or where its links lead) that is a device,
// a FIFO, a socket or a folder is refused, naming its kind. False when any step fails (the
// temporary file is then removed), with a readable reason in `error` when given. After a successful
// write, temporary files that killed runs left in the folder are removed (only those of this
// writer's naming whose process no longer exists).
bool WriteFileAtomically(const std::string& path, const std::string& contents,
                         std::string* error = nullptr, std::string* notice = nullptr);

// Why WriteFileAtomically would refuse `path` before writing anything (see above); empty when
// it may go ahead. For checks before a long operation whose result goes there.
std::string WriteRefusal(const std::string& path);

// The folder part of a path ("." when there is none).
std::string FolderOf(const std::string& path);

}  // namespace vistrel
