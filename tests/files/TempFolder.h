#pragma once

#include "files/TextLines.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

// A fresh folder for each test, removed afterwards.
class TempFolder : public ::testing::Test {
protected:
    TempFolder() { std::filesystem::create_directories(Folder); }
    ~TempFolder() override { std::filesystem::remove_all(Folder); }

    // Paths are UTF-8 text with the platform's separators, as the program hands them on.
    std::string PathOf(const std::string& name) const {
        return Utf8FromPath((Folder / PathFromUtf8(name)).make_preferred());
    }
    static inline const std::string Separator{
        static_cast<char>(std::filesystem::path::preferred_separator)};
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(PathFromUtf8(path), std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path) {
        return (std::ostringstream() << std::ifstream(PathFromUtf8(path), std::ios::binary).rdbuf())
            .str();
    }

    // Korean in the name, as in a Korean user's folders: every path the tests hand the program
    // has characters outside ASCII (and outside the ANSI code page on Windows).
    const std::filesystem::path Folder =
        std::filesystem::temp_directory_path() /
        PathFromUtf8("tarvik-파일-" + std::to_string(std::random_device{}()));
};
