#include "files/OpenFile.h"

#include "files/TextLines.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

class FileKindCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "file kind"; }
    std::string message(int) const override { return "not a regular file"; }
};

std::error_code NotRegular() {
    static const FileKindCategory category;
    return {1, category};
}

class ForbiddenNameCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "file name"; }
    std::string message(int) const override {
        return "Windows does not allow this file name (: * ? \" < > | or a device name such as "
               "CON or NUL)";
    }
};

bool IsDeviceName(std::string base) {
    static const std::array<const char*, 4> devices = {"CON", "PRN", "AUX", "NUL"};
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (std::find(devices.begin(), devices.end(), base) != devices.end()) return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

} // namespace

std::error_code LastSystemError() {
    return {errno, std::generic_category()};
}

bool NameWindowsForbids(const std::string& name) {
    if (name.empty()) return false;
    for (const unsigned char c : name)
        if (c < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr) return true;
    if (name.back() == '.' || name.back() == ' ') return name != "." && name != "..";
    return IsDeviceName(name.substr(0, name.find('.')));
}

std::error_code ForbiddenNameError([[maybe_unused]] const std::filesystem::path& path) {
#ifdef _WIN32
    static const ForbiddenNameCategory category;
    if (NameWindowsForbids(Utf8FromPath(path.filename()))) return {1, category};
#endif
    return {};
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    if (ForbiddenNameError(path)) {
        errno = EINVAL;
        return nullptr;
    }
    const std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

#ifdef _WIN32

// Windows keeps FIFOs out of the file system; devices such as CON still open as files.
std::FILE* OpenRegularFile(const std::filesystem::path& path, const char* mode,
                           std::error_code& error) {
    if ((error = ForbiddenNameError(path))) return nullptr;
    errno = 0;
    std::FILE* file = OpenFile(path, mode);
    if (file == nullptr) {
        error = LastSystemError();
        return nullptr;
    }
    struct _stat64 status {};
    if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
        std::fclose(file);
        error = NotRegular();
        return nullptr;
    }
    return file;
}

#else

// Opened without blocking, which a FIFO without a writer would do for good; the kind is
// checked on what was opened, so nothing can be swapped in between.
std::FILE* OpenRegularFile(const std::filesystem::path& path, const char* mode,
                           std::error_code& error) {
    const int access = mode[0] == 'a' ? O_RDWR | O_CREAT | O_APPEND : O_RDONLY;
    const int descriptor = ::open(path.c_str(), access | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        error = LastSystemError();
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        error = NotRegular();
        return nullptr;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(descriptor, mode);
    if (file == nullptr) {
        error = LastSystemError();
        ::close(descriptor);
    }
    return file;
}

#endif
