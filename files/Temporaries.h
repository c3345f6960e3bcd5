#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

// Files are written whole under a temporary name in their folder before they take their own,
// so that no one ever finds half a file under a name the program gave.

// How long a temporary lies untouched before it counts as left behind by a save that never
// ended (a killed program, a power cut). A save takes milliseconds; a younger temporary may be
// another copy of the program's, being written in the same folder right now.
constexpr std::chrono::minutes TemporaryStaleAge{5};

// Creates a new temporary beside the file, open for writing ("wb"), after removing the stale
// ones in that folder: every folder the program writes into is tidied then. The name is short
// whatever the file's, so that a name near the system's limit still saves, and hidden with a
// suffix of its own, so that it is never taken for a file of the user's. Without a file,
// `error` says why.
std::FILE* CreateTemporaryBeside(const std::filesystem::path& path,
                                 std::filesystem::path& temporary, std::error_code& error);

// Removes the stale temporaries from the folder.
void RemoveStaleTemporaries(const std::filesystem::path& folder);
