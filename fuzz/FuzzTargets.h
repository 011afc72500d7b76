#pragma once

// Entry points shared by the libFuzzer targets and the corpus replay test. Each takes one input, runs it
// through the readers the way the program does, and checks what must hold for any input. They return an
// empty text when all is well, otherwise what went wrong; a crash or a hang is a finding in itself.

#include <cstddef>
#include <cstdint>
#include <string>

namespace trelvik::fuzz {

// The input is a dictionary volume: reads its rows and searches it for words taken from its own records.
std::string FuzzVolume(const std::uint8_t *data, std::size_t size);

// The input is a user dictionary: reads it, looks words up in it, then appends a triple and reads the
// result back. Reading must leave the file's bytes alone; an append must keep every record it copied.
std::string FuzzUserDict(const std::uint8_t *data, std::size_t size);

// The input is a voice example's text file: turns it into the shown lines.
std::string FuzzExampleText(const std::uint8_t *data, std::size_t size);

// The input is single-byte text (decoded in both code pages) and, read as UTF-16, text to encode.
std::string FuzzCodePages(const std::uint8_t *data, std::size_t size);

// The input is a word list to import: splits it with each separator, and every row written back by the
// writer must read back as the same cells.
std::string FuzzWordList(const std::uint8_t *data, std::size_t size);

} // namespace trelvik::fuzz
