// File-system services of the programs: free space, folder creation, the system's error
// texts. Paths are POSIX paths in the file system's own bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Bytes available to this user in the file system holding `folder` (a folder or a file in
// it). 1/0; on failure freeBytes is 0 and errno tells why.
int GetFreeDiskSpace(const std::string& folder, std::uint64_t& freeBytes);

// Creates one folder (mode 0777 less the umask). 1/0, as Windows did: an existing folder or
// file of that name fails (errno EEXIST).
int CreateDirectory(const std::string& path);
// Creates the folder and any missing parents; an existing folder is success. 1/0.
int CreateDirectories(const std::string& path);

// The system's text for an errno value ("No space left on device"), never empty.
std::string SystemErrorText(int errorNumber);

// True when the path names an existing regular file (after links) / folder.
bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);

// Writes `size` bytes as the whole new content of a file: through a temporary file beside
// it, renamed over it only when everything is on disk, so a failed write never leaves a
// half-written file under the name. An existing file keeps its mode, a new one gets 0666
// less the umask; a link is written through to its target. 1/0 with errno set; on failure
// the old file is as it was and no temporary file is left.
int ReplaceFileContent(const std::string& fileName, const void* data, std::size_t size);

// The operator's home folder (HOME, else the password database, else "/").
std::string HomeDirectory();

}  // namespace platform
