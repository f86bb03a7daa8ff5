#pragma once
// The bodies of the fuzz targets.  Each takes one input, runs it through the
// code under test and checks what must hold whatever the input; it returns
// "" when all held, otherwise what did not.  The libFuzzer executables
// (fuzz_*.cpp, built with clang by scripts/fuzz.sh) abort on a non-empty
// answer; the test suite replays every corpus file through the same bodies.

#include <cstddef>
#include <cstdint>
#include <string>

namespace petari::fuzz {

// Encoding detection and decoding: code page 932, UTF-8 (with stray bytes
// and as the lossless escape of the command line and file names), UTF-16
// with and without a byte order mark, binary files; the hexadecimal view.
std::string decodeText(const std::uint8_t* data, std::size_t size);

// The text conversions: the first byte picks up to three of them, the
// second a block size; the rest is UTF-8 text.  Converted block by block
// (as --convert does) it must give what the whole text gives.
std::string conversions(const std::uint8_t* data, std::size_t size);

// The snapshot reader on a file of those bytes: a failure or lines that,
// written again as a snapshot, read back the same.
std::string workFile(const std::uint8_t* data, std::size_t size);

// The settings import on a file of those bytes: every record it takes
// stands on one export line that reads back as the same record.
std::string settingsImport(const std::uint8_t* data, std::size_t size);

}  // namespace petari::fuzz
