#include "document/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

namespace {

constexpr char kPathPlaceholder[] = "%1";
constexpr char kNotFound[] = "%1 was not found.";
constexpr char kInvalidPath[] = "%1 contains an invalid path.";
constexpr char kAccessDenied[] = "Access to %1 was denied.";
constexpr char kSharingViolation[] = "A sharing violation occurred while accessing %1.";
constexpr char kDiskFull[] = "Disk full while accessing %1.";
constexpr char kFailedToOpen[] = "Failed to open document.";
constexpr char kInvalidFilename[] = "Invalid filename.";
constexpr char kFailedToSave[] = "Failed to save document.";

constexpr int kTempNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 07777;

// The user's text for a failed system call, or nullptr when there is none.
const char* FileErrorText(int error) {
    switch (error) {
        case ENOENT:
            return kNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
            return kInvalidPath;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return kAccessDenied;
        case ETXTBSY:
        case EBUSY:
        case EAGAIN:
            return kSharingViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return kDiskFull;
        default:
            return nullptr;
    }
}

FileResult Failure(int error, const std::string& path, const char* fallback) {
    const char* text = FileErrorText(error);
    if (text == nullptr) return {false, fallback};
    std::string message = text;
    message.replace(message.find(kPathPlaceholder),
                    std::char_traits<char>::length(kPathPlaceholder), path);
    return {false, message};
}

bool HasNul(const std::string& path) { return path.find('\0') != std::string::npos; }

// Reads until end of file or until bytes holds limit bytes; errno on failure.
bool ReadUpTo(int fd, std::size_t limit, std::vector<uint8_t>& bytes) {
    bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = read(fd, bytes.data() + got, limit - got);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return true;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

std::filesystem::path DirectoryOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// Creates a hidden file beside target that no one else uses; -1 and errno on
// failure.
int CreateTempBeside(const std::filesystem::path& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += '.';
    prefix += std::to_string(getpid());
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        tempPath =
            (DirectoryOf(target) / (prefix + "-" + std::to_string(counter++) + ".tmp")).string();
        const int fd =
            open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The new file gets the permissions of the one it replaces.
void CopyPermissions(const std::string& from, int fd) {
    struct stat status {};
    if (stat(from.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        fchmod(fd, status.st_mode & kPermissionBits);
    }
}

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncDirectory(const std::filesystem::path& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Writes, flushes to disk and closes; errno on failure, fd closed either way.
bool WriteAndClose(int fd, const std::vector<uint8_t>& bytes) {
    const bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    const int error = errno;
    const bool closed = close(fd) == 0;
    if (!ok) errno = error;
    return ok && closed;
}

}  // namespace

FileResult ReadFileBytes(const std::string& path, std::size_t maxBytes,
                         std::vector<uint8_t>& bytes) {
    if (HasNul(path)) return Failure(EINVAL, path, kFailedToOpen);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Failure(errno, path, kFailedToOpen);
    const bool ok = ReadUpTo(fd, maxBytes + 1, bytes);
    const int error = errno;
    close(fd);
    if (!ok) return Failure(error, path, kFailedToOpen);
    return {true, {}};
}

FileResult ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path target(path);
    if (HasNul(path) || !target.has_filename()) return {false, kInvalidFilename};

    std::string tempPath;
    const int fd = CreateTempBeside(target, tempPath);
    if (fd < 0) return Failure(errno, path, kInvalidFilename);
    CopyPermissions(path, fd);

    if (!WriteAndClose(fd, bytes)) {
        const int error = errno;
        unlink(tempPath.c_str());
        return Failure(error, path, kFailedToSave);
    }
    if (rename(tempPath.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(tempPath.c_str());
        return Failure(error, path, kFailedToSave);
    }
    SyncDirectory(DirectoryOf(target));
    return {true, {}};
}
