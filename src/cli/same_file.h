// Which of fondara-calc's names and streams are one file: a device and an inode. The
// batch refuses to write its results into the CSV it reads, an output is not given two
// files by one name, and a file that is already standard output is written through it
// (`--report /dev/stdout > out.txt`), not replaced behind it.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace fondara::cli {

struct FileIdentity {
  dev_t device;
  ino_t inode;
  mode_t type;  // S_IFREG, S_IFIFO, ...
  bool same_file(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
};

// The file open on `fd`, or nothing for a closed descriptor.
std::optional<FileIdentity> identity_of(int fd);
// The file `path` names, symbolic links followed, or nothing where there is none yet.
std::optional<FileIdentity> identity_of(const std::string& path);

// Whether `path` names the file open as standard output (`out`).
bool is_standard_output(const std::string& path, int out);

}  // namespace fondara::cli
