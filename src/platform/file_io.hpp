// Whole-file reads and atomic writes, with the runtime's file errors.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lumora {

// Reads a whole regular file; a missing file fails with error 53, a folder, a
// FIFO, a device or an unreadable file with 75 (never blocking on opening).
std::vector<uint8_t> ReadFileBytes(const std::string& path);

// Writes bytes under path atomically: a temporary file in the same folder is
// written, flushed and renamed over the target. A new file gets mode 0666
// less the umask, a replaced one keeps its mode. On failure nothing is left
// behind and an existing file is untouched; a missing folder fails with error
// 76, anything else with 75, the message saying why. Temporary files that a
// killed save of the same target left are removed.
void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);
void WriteFileAtomically(const std::string& path, const std::string& text);

}  // namespace lumora
