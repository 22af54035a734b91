#pragma once
// Reading a whole file of bounded size into memory, with a message for each way it fails.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// What, followed by the reason errno gives, if any.
std::string describeErrno(const std::string& what);

// Fills bytes with the file at path when it is a regular file of at most maxBytes, or says
// why it cannot ("" when read). Folders, devices and FIFOs are refused without reading (a
// FIFO is never waited on), and the size is taken before any byte is read.
// With firstBytes, only that many bytes from the start are read (the size is still checked).
std::string readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes, const std::string& kind,
                            std::string& bytes, std::size_t firstBytes = SIZE_MAX);

// Fills bytes with the regular file at path, or says why it cannot ("" when read). folder
// is where the file should be; its last name (as "save") tells when it is missing. A file over
// maxBytes is refused, naming the kind of file ("a design file").
std::string readWholeFile(const std::filesystem::path& path, const std::filesystem::path& folder,
                          std::uintmax_t maxBytes, const std::string& kind, std::string& bytes,
                          std::size_t firstBytes = SIZE_MAX);
