#pragma once

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

    std::string PathOf(const std::string& name) const { return (Folder / name).string(); }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path) {
        return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
    }

    const std::filesystem::path Folder = std::filesystem::temp_directory_path() /
                                         ("tarvik-files-" + std::to_string(std::random_device{}()));
};
