#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// Whole-file reads and writes in binary, for building fixtures and checking written bytes.
std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Data bytes from a UTF-8 literal (Japanese test texts are written in UTF-8 in the source).
std::string Sjis(std::string_view utf8);
