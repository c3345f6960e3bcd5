#include "files/OpenFile.h"

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

} // namespace

std::error_code LastSystemError() {
    return {errno, std::generic_category()};
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
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
