#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zaxsim {

// Replaces `path` with `bytes` so that a reader, or the next start after a
// crash, sees either the old contents or the new ones whole: the bytes go to
// a temporary file in the same directory, are flushed to disk, and the file
// is renamed over `path`, keeping the permissions `path` had. Throws
// std::runtime_error on failure, leaving `path` untouched and removing the
// temporary file.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

} // namespace zaxsim
