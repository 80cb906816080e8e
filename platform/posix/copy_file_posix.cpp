// File copy.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "framework/services.h"

DWORD CopyFile(const CString& source, const CString& destination, bool failIfExists) {
  const int in = open(source.GetString(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return ERROR_FILE_NOT_FOUND;
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
  const int out = open(destination.GetString(), flags, 0644);
  if (out < 0) {
    const int err = errno;
    close(in);
    return err == EEXIST ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED;
  }
  std::vector<char> buffer(1 << 16);
  ssize_t n = 0;
  while ((n = read(in, buffer.data(), buffer.size())) > 0) {
    if (write(out, buffer.data(), static_cast<std::size_t>(n)) != n) break;
  }
  close(in);
  close(out);
  return n == 0 ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}
