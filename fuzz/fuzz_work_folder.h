#pragma once
// One folder per fuzzing process, so that parallel jobs never share a file; memory-backed where
// there is such a folder, since every input is saved and synced.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

struct FuzzWorkFolder {
    std::filesystem::path path;
    explicit FuzzWorkFolder(const std::string& prefix) {
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / (prefix + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data())) std::abort();
        path = pattern;
    }
    ~FuzzWorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};
