#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"

// Shown when a file's contents are not a saved game.
inline constexpr char kUnexpectedFileFormat[] = "Unexpected file format.";

// Reads the file whole. A file longer than maxBytes is read only to
// maxBytes + 1 bytes, enough for the caller to tell it is too long.
FileResult ReadFileBytes(const std::string& path, std::size_t maxBytes,
                         std::vector<uint8_t>& bytes);

// Writes bytes to a new file beside path and renames it over path only once
// every byte is on disk, so a failure leaves the old file as it was.
FileResult ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes);
