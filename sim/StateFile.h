#pragma once
// The earlier single-file state format: a versioned binary image, numbers
// little-endian and records field by field, checked by length and CRC-32.
// The server no longer writes it; it reads such a file once to import it
// into a state database (zaxsim --import-state, or --state given one).

#include "SimState.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace zaxsim {

// Throws std::runtime_error when the file cannot be read, is not a state
// file of a known version, is truncated or damaged, or holds an inconsistent
// state. Every count and length is checked against the bytes present first.
SimState ReadStateFile(const std::filesystem::path& path);
SimState DecodeStateFile(std::span<const uint8_t> file);

// The CRC-32 the file header carries over the body.
uint32_t StateFileChecksum(std::span<const uint8_t> body);

} // namespace zaxsim
