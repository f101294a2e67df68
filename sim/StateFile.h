#pragma once
// The simulator's state file: a versioned binary image written field by
// field in little-endian order (never a memory dump, so the file does not
// depend on the compiler's layout), checked by length and CRC-32, and
// replaced atomically.

#include "SimState.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace zaxsim {

// Writes the state to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a reader sees either the old file or the new one
// whole. Throws std::runtime_error on any failure; `path` is then untouched
// and no temporary file is left behind. A state that ValidateState rejects is
// not written, so a saved file always loads again.
void SaveState(const SimState& state, const std::filesystem::path& path);

// Throws std::runtime_error when the file cannot be read, is not a state
// file of a known version, is truncated or damaged, or holds an inconsistent
// state. Every count and length is checked against the bytes present first.
SimState LoadState(const std::filesystem::path& path);

// The file image itself, for tests and fuzzing.
std::vector<uint8_t> EncodeState(const SimState& state);
SimState DecodeState(std::span<const uint8_t> file);

// The CRC-32 the file header carries over the body.
uint32_t StateFileChecksum(std::span<const uint8_t> body);

} // namespace zaxsim
