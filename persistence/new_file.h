#pragma once
// Writing a file whole or not at all: the bytes go to a new file, which is removed again
// when any write fails, so that a rename can then put it in place of an old one.
#include <filesystem>
#include <string>

// Writes all bytes to a file it creates at path, never opening anything already there; "" on success,
// else the reason, the file then removed again.
std::string writeNewFile(const std::filesystem::path& path, const std::string& bytes);
// Removes the file at path if it is there, saying nothing either way.
void removeQuietly(const std::filesystem::path& path);
