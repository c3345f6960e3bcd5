#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
// A file closed when it goes out of scope.
using OpenedFile = std::unique_ptr<std::FILE, FileCloser>;

// The system's reason for the last failed call (errno).
std::error_code LastSystemError();

// Windows reads a colon in a file name as a hidden stream of another file, names such as CON
// or NUL (with any extension) as devices, and drops a final dot or space: a file saved under
// such a name would be hidden, lost or another one. True for such a name (the last part of a
// path, in UTF-8).
bool NameWindowsForbids(const std::string& name);
// On Windows, the reason a path's name cannot be used; nothing elsewhere.
std::error_code ForbiddenNameError(const std::filesystem::path& path);

// Opens a file with a C standard input/output mode such as "wb" or "wbx", whatever characters
// its path holds; a name Windows forbids is not opened there (EINVAL).
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Opens an existing file for reading ("rb"), or for appending ("a+b", created when missing),
// without ever waiting: whatever is not a regular file — a FIFO, a device, a folder — is
// refused, since opening or reading one can block the program for good and what is written to
// one is lost. Without a file, `error` says why.
std::FILE* OpenRegularFile(const std::filesystem::path& path, const char* mode,
                           std::error_code& error);
