// File copy on POSIX. The new contents go to a hidden temporary file beside
// the destination and are put in place only once complete and on disk, so a
// destination is always either as it was or the whole new file, whatever
// happens on the way (a full disk, an I/O error, a crash).
#include "platform/posix/copy_file_posix.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#endif

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "framework/services.h"

namespace {

std::function<void(const char*)>& BeforePublishHook() {
  static std::function<void(const char*)> hook;
  return hook;
}

// Leftovers of a copy that was killed must never be mistaken for a user's
// file: hidden, and named after the program.
constexpr char kTempPrefix[] = ".tolvane-";
constexpr char kTempSuffix[] = ".tmp";
constexpr int kTempRandomLength = 6;

// Large enough that a big file costs few system calls, small enough that one
// call never keeps the process busy for long.
constexpr std::size_t kKernelCopyChunk = std::size_t{8} << 20;
constexpr std::size_t kBufferSize = std::size_t{128} << 10;

#ifdef O_PATH
constexpr int kFolderOpenFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  void Reset() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }
  // Closes now and tells whether the file system took everything: some only
  // report a failed write when the file is closed. EINTR is no failure: on
  // Linux the descriptor is gone and the data handed over by then.
  int Close() {
    const int result = close(std::exchange(fd_, -1));
    return result == 0 || errno == EINTR ? 0 : errno;
  }

 private:
  int fd_ = -1;
};

enum class Side { kSource, kDestination };

DWORD ErrorFromErrno(int error, Side side) {
  switch (error) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return side == Side::kSource ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case ENXIO:
    case ENODEV:
      return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EISDIR:
      return ERROR_DIRECTORY;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ELOOP:
      return ERROR_CANT_RESOLVE_FILENAME;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case EBUSY:
      return ERROR_SHARING_VIOLATION;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    case EIO:
      return side == Side::kSource ? ERROR_READ_FAULT : ERROR_WRITE_FAULT;
    default:
      return ERROR_GEN_FAILURE;
  }
}

DWORD LastError(Side side) { return ErrorFromErrno(errno, side); }

bool HasNul(const CString& path) { return path.bytes().find('\0') != std::string::npos; }

bool IsSameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

struct OpenedSource {
  FileDescriptor fd;
  struct stat status {};
};

// A path's folder and the name in it: "a/b" -> "a", "b"; "b" -> ".", "b";
// "/b" -> "/", "b".
struct SplitName {
  std::string folder;
  std::string name;
};
SplitName SplitPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A missing source file and a missing folder on its way are told apart, as
// the platform copy does.
DWORD MissingSourceError(const std::string& path) {
  struct stat folder {};
  return stat(SplitPath(path).folder.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                                       : ERROR_PATH_NOT_FOUND;
}

// open(), tried again when a signal cuts it short.
int OpenRetrying(const std::string& path, int flags) {
  int fd = -1;
  do fd = open(path.c_str(), flags);
  while (fd < 0 && errno == EINTR);
  return fd;
}

DWORD OpenSource(const std::string& path, OpenedSource& source) {
  // Opening a device or a FIFO can itself do something (wait for a writer,
  // rewind a tape), so anything but a regular file is turned away unopened.
  struct stat first {};
  if (stat(path.c_str(), &first) != 0) return errno == ENOENT ? MissingSourceError(path) : LastError(Side::kSource);
  if (!S_ISREG(first.st_mode)) return ERROR_ACCESS_DENIED;

  // O_NONBLOCK: should the path have become a FIFO since the look above, the
  // open still returns at once and the check below turns it away.
  const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
#ifdef O_NOATIME
  // Copying is not reading in the user's sense; only the owner may ask this.
  int fd = OpenRetrying(path, flags | O_NOATIME);
  if (fd < 0 && errno == EPERM) fd = OpenRetrying(path, flags);
#else
  const int fd = OpenRetrying(path, flags);
#endif
  if (fd < 0) return LastError(Side::kSource);
  source.fd = FileDescriptor(fd);
  if (fstat(fd, &source.status) != 0) return LastError(Side::kSource);
  if (!S_ISREG(source.status.st_mode)) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

// The folder the destination lies in, held open so that every later step
// works in that same folder, and the destination's name inside it.
struct DestinationPlace {
  FileDescriptor folder;
  std::string name;
};

DWORD OpenDestinationFolder(const std::string& path, DestinationPlace& place) {
  SplitName split = SplitPath(path);
  // "folder/" names the folder itself, which the checks then turn away.
  place.name = split.name.empty() ? "." : std::move(split.name);
  const int fd = open(split.folder.c_str(), kFolderOpenFlags);
  if (fd < 0) return LastError(Side::kDestination);
  place.folder = FileDescriptor(fd);
  return ERROR_SUCCESS;
}

// Whether the user may write the file, by its permission bits alone: root
// may write anything, but a file whose owner took the write bit away was
// made read-only on purpose and stays as it is.
bool IsWritable(int folder, const std::string& name, const struct stat& status) {
  const uid_t user = geteuid();
  if (user == 0 || user == status.st_uid) return (status.st_mode & S_IWUSR) != 0;
  return faccessat(folder, name.c_str(), W_OK, AT_EACCESS) == 0;
}

DWORD CheckDestination(const DestinationPlace& place, const struct stat& source, bool failIfExists) {
  struct stat existing {};
  if (fstatat(place.folder.get(), place.name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT ? ERROR_SUCCESS : LastError(Side::kDestination);
  }
  // A folder is never replaced, so asking whether to replace it is pointless.
  if (S_ISDIR(existing.st_mode)) return ERROR_DIRECTORY;
  // A symbolic link counts as existing, also when it leads nowhere.
  if (failIfExists) return ERROR_FILE_EXISTS;

  struct stat target {};
  if (fstatat(place.folder.get(), place.name.c_str(), &target, 0) == 0 && IsSameFile(target, source)) {
    return ERROR_SHARING_VIOLATION;
  }
  if (S_ISREG(existing.st_mode) && !IsWritable(place.folder.get(), place.name, existing)) {
    return ERROR_ACCESS_DENIED;
  }
  return ERROR_SUCCESS;
}

// Seeded once from the kernel, then stepped per name: the names only need to
// be hard to guess and to differ, and the exclusive create settles a clash.
std::uint64_t NextRandom() {
  thread_local std::uint64_t state = [] {
    std::uint64_t seed = 0;
    if (getrandom(&seed, sizeof seed, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof seed)) {
      timespec now{};
      clock_gettime(CLOCK_MONOTONIC, &now);
      seed = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(getpid()) << 32);
    }
    return seed;
  }();
  // splitmix64
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::string RandomTempName() {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static constexpr unsigned kAlphabetSize = sizeof(kAlphabet) - 1;
  std::uint64_t random = NextRandom();
  std::string name = kTempPrefix;
  for (int i = 0; i < kTempRandomLength; ++i, random /= kAlphabetSize) name += kAlphabet[random % kAlphabetSize];
  return name + kTempSuffix;
}

// The temporary file beside the destination; removed again unless it was
// put in place.
class TemporaryFile {
 public:
  explicit TemporaryFile(int folder) : folder_(folder) {}
  ~TemporaryFile() {
    fd_.Reset();
    if (!name_.empty()) unlinkat(folder_, name_.c_str(), 0);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  DWORD Create() {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      std::string name = RandomTempName();
      // Only the user may look at contents that are not complete yet.
      const int fd = openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
      if (fd >= 0) {
        fd_ = FileDescriptor(fd);
        name_ = std::move(name);
        return ERROR_SUCCESS;
      }
      if (errno != EEXIST && errno != EINTR) return LastError(Side::kDestination);
    }
    return ERROR_GEN_FAILURE;
  }

  int fd() const { return fd_.get(); }
  const std::string& name() const { return name_; }
  DWORD Close() { return ErrorFromErrno(fd_.Close(), Side::kDestination); }
  // The name now belongs to the destination, or is gone.
  void Release() { name_.clear(); }

 private:
  int folder_;
  FileDescriptor fd_;
  std::string name_;
};

DWORD WriteAll(int out, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(out, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError(Side::kDestination);
    }
    if (written == 0) return ERROR_WRITE_FAULT;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return ERROR_SUCCESS;
}

// Copies from both files' current positions to the end through one fixed
// buffer, so memory use does not depend on the file's size.
// Copies from the current positions on. A file that had a size when it was
// opened is copied up to that size, so one that keeps growing meanwhile
// cannot fill the disk; files that claim no size (under /proc) are read to
// their end.
DWORD BufferedCopy(int in, int out, off_t size) {
  const std::unique_ptr<char[]> buffer(new (std::nothrow) char[kBufferSize]);
  if (!buffer) return ERROR_NOT_ENOUGH_MEMORY;
  off_t left = size > 0 ? size - lseek(in, 0, SEEK_CUR) : -1;
  for (;;) {
    if (left == 0) return ERROR_SUCCESS;
    const std::size_t want = left > 0 && left < static_cast<off_t>(kBufferSize) ? static_cast<std::size_t>(left)
                                                                                 : kBufferSize;
    const ssize_t got = read(in, buffer.get(), want);
    if (got < 0) {
      if (errno == EINTR) continue;
      return LastError(Side::kSource);
    }
    if (got == 0) return ERROR_SUCCESS;
    if (const DWORD error = WriteAll(out, buffer.get(), static_cast<std::size_t>(got))) return error;
    if (left > 0) left -= got;
  }
}

// Lets the kernel copy as much as it will. True when the whole file went
// that way; false leaves the rest, from the current positions, to the
// buffer, which also reports a real failure precisely (which side, which
// error) by meeting it again.
bool KernelCopy([[maybe_unused]] int in, [[maybe_unused]] int out, [[maybe_unused]] off_t size) {
#ifdef __linux__
  off_t copiedSoFar = 0;
  bool copiedAny = false;
  for (;;) {
    const ssize_t copied = copy_file_range(in, nullptr, out, nullptr, kKernelCopyChunk, 0);
    if (copied > 0) {
      copiedAny = true;
      copiedSoFar += copied;
      // The file as it was when opened is copied; asking once more only to
      // hear "end of file" would cost every small file a call.
      if (copiedSoFar >= size) return true;
      continue;
    }
    // Files under /proc and /sys claim to be empty and copy nothing this
    // way, though reading them gives text.
    if (copied == 0) return copiedAny;
    if (errno != EINTR) return false;
  }
#else
  return false;
#endif
}

DWORD CopyContents(int in, int out, const struct stat& source) {
#ifdef FICLONE
  // A reflink shares the blocks until either file changes: instant, and no
  // extra space. A file system without them answers EOPNOTSUPP only once
  // both files are on it, so the source's device remembers the answer.
  thread_local dev_t withoutReflinks = 0;
  thread_local bool knowsOne = false;
  if (!knowsOne || withoutReflinks != source.st_dev) {
    if (ioctl(out, FICLONE, in) == 0) return ERROR_SUCCESS;
    if (errno == EOPNOTSUPP) {
      withoutReflinks = source.st_dev;
      knowsOne = true;
    }
  }
#endif
  if (KernelCopy(in, out, source.st_size)) return ERROR_SUCCESS;
  return BufferedCopy(in, out, source.st_size);
}

// Permission bits and modification time, as the platform copy carries them.
// Set-user-id and the like are left behind: a copy must not hand out rights.
DWORD CarryOverAttributes(int out, const struct stat& source) {
  if (fchmod(out, source.st_mode & 0777) != 0) return LastError(Side::kDestination);
  const timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  if (futimens(out, times) != 0) return LastError(Side::kDestination);
  return ERROR_SUCCESS;
}

// Before a replacement only: without it, a power cut soon after the rename
// could leave the user's old file replaced by one whose blocks never reached
// the disk. A new name puts nothing at stake (the source is untouched), and a
// killed program is covered by the temporary file alone, so new copies skip
// the wait for the disk.
DWORD SyncToDisk(int out) {
  while (fsync(out) != 0) {
    if (errno != EINTR) return LastError(Side::kDestination);
  }
  return ERROR_SUCCESS;
}

// Gives the temporary file the destination's name, never replacing anything
// that is there, also if it appeared a moment ago.
DWORD PublishWithoutReplacing(int folder, const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
  if (renameat2(folder, from, folder, to, RENAME_NOREPLACE) == 0) return ERROR_SUCCESS;
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return LastError(Side::kDestination);
#endif
  // A hard link never replaces either; the temporary name then goes.
  if (linkat(folder, from, folder, to, 0) == 0) {
    unlinkat(folder, from, 0);
    return ERROR_SUCCESS;
  }
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return LastError(Side::kDestination);
  // A file system with neither: only a look just before the rename is left,
  // which narrows the moment a new destination could be lost to but cannot
  // close it.
  struct stat existing {};
  if (fstatat(folder, to, &existing, AT_SYMLINK_NOFOLLOW) == 0) return ERROR_FILE_EXISTS;
  if (renameat(folder, from, folder, to) != 0) return LastError(Side::kDestination);
  return ERROR_SUCCESS;
}

DWORD Publish(TemporaryFile& temp, const DestinationPlace& place, bool failIfExists) {
  const int folder = place.folder.get();
  if (failIfExists) {
    const DWORD error = PublishWithoutReplacing(folder, temp.name().c_str(), place.name.c_str());
    if (error == ERROR_SUCCESS) temp.Release();
    return error;
  }
  // The rename swaps the whole file in one step; a symbolic link there is
  // replaced itself, never written through.
  if (renameat(folder, temp.name().c_str(), folder, place.name.c_str()) != 0) return LastError(Side::kDestination);
  temp.Release();
  return ERROR_SUCCESS;
}

}  // namespace

namespace posix_copy {

void SetBeforePublishHook(std::function<void(const char* destination)> hook) { BeforePublishHook() = std::move(hook); }

}  // namespace posix_copy

DWORD CopyFile(const CString& source, const CString& destination, bool failIfExists) {
  // A path with a NUL in it would be cut short there and name another file.
  if (HasNul(source) || HasNul(destination)) return ERROR_INVALID_NAME;
  if (destination.IsEmpty()) return ERROR_PATH_NOT_FOUND;

  OpenedSource in;
  if (const DWORD error = OpenSource(source.bytes(), in)) return error;
  DestinationPlace place;
  if (const DWORD error = OpenDestinationFolder(destination.bytes(), place)) return error;
  if (const DWORD error = CheckDestination(place, in.status, failIfExists)) return error;

  TemporaryFile temp(place.folder.get());
  if (const DWORD error = temp.Create()) return error;
  if (const DWORD error = CopyContents(in.fd.get(), temp.fd(), in.status)) return error;
  if (const DWORD error = CarryOverAttributes(temp.fd(), in.status)) return error;
  if (!failIfExists) {
    if (const DWORD error = SyncToDisk(temp.fd())) return error;
  }
  if (const DWORD error = temp.Close()) return error;

  if (const auto& hook = BeforePublishHook()) hook(destination.GetString());
  return Publish(temp, place, failIfExists);
}
