// Writing files and standard streams so that no failure passes for success.
//
// A regular file is replaced whole: the bytes go to a temporary file in the target's own
// folder, which is synced and renamed over the target only when everything was written,
// so any failure leaves the earlier file exactly as it was. A symbolic link is followed
// to its target; an existing file keeps its permissions, its extended attributes (ACLs
// among them) and its owner where the process may set it; an existing file without write
// permission is refused even when its folder is writable. When the folder refuses the
// temporary file but the existing file is writable, the file is written in place
// (truncated, then written), as editors do. Whatever else exists under the name (a FIFO,
// a device) is opened and written directly and never replaced. A temporary file is
// removed when the program is interrupted by a signal (install_signal_cleanup). Used by
// the windows' Save and by fondara-calc, with one table of Italian causes. POSIX, Linux's
// extended attributes and the standard library only.
#pragma once

#include <sys/stat.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"
#include "output/messages.h"

namespace fondara::output {

// Done, or the errno of the first failed call.
using WriteOutcome = Outcome<Done, int>;

// Buffered writes to an open descriptor. The first failure is kept and every later call
// does nothing, so a caller may write a whole stream and check error() once.
class Output {
 public:
  explicit Output(int fd) : fd_(fd) {}
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  void write(std::string_view bytes);
  // Writes out what the buffer holds; fails when any write failed.
  WriteOutcome flush();
  // The errno of the first failure, 0 while there is none.
  int error() const { return error_; }

 private:
  friend class FileWriter;  // points it at the file it opens
  void write_through(std::string_view bytes);

  int fd_;
  std::string buffer_;
  int error_ = 0;
};

// One output file, written through output() and made final by commit(). Destroyed
// without a successful commit, it removes its temporary file.
class FileWriter {
 public:
  explicit FileWriter(std::string path) : path_(std::move(path)) {}
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  // Opens the target as described above.
  WriteOutcome open();
  // The target's output; writes fail with EBADF until open() succeeded.
  Output& output() { return output_; }
  // Writes out the buffer, then syncs, closes and renames a temporary file over the
  // target; the first failure, of the writes included.
  WriteOutcome commit();
  // commit() in two steps: finish() makes the file complete (in its temporary file, when it
  // replaces one), publish() renames it over the target.
  WriteOutcome finish();
  WriteOutcome publish();
  // Whether the target is replaced through a temporary file, rather than written directly.
  bool replaces() const { return !temporary_.empty(); }

 private:
  WriteOutcome write_directly(int fd);
  WriteOutcome replace_or_write_in_place(const std::string& target, int old_fd, mode_t old_mode);
  WriteOutcome open_temporary(const std::string& target, mode_t mode);
  WriteOutcome keep_old_file_properties();
  void remove_temporary();

  std::string path_;
  std::string temporary_;  // empty when the target is written directly
  std::string target_;     // the name the temporary file is renamed to
  int slot_ = -1;          // where temporary_ is registered for the signal handler
  int old_fd_ = -1;        // the file being replaced, whose properties the new one takes
  bool synced_ = false;    // a regular file, synced before it is closed
  int fd_ = -1;
  Output output_{-1};
};

// Installs, once, handlers of SIGINT, SIGTERM, SIGHUP and SIGXFSZ that remove the
// temporary files being written and then end the program as the signal would. A signal
// that was ignored when the program started (nohup) stays ignored; one that already has a
// handler keeps it. Called from each program's main.
void install_signal_cleanup();

// Writes `bytes` to `path` as FileWriter does.
WriteOutcome write_file(const std::string& path, std::string_view bytes);

// Which of several files failed, and the errno.
struct FilesFailure {
  std::size_t index;
  int error;
};

// Several files written together as FileWriter does, all or none replaced: every file is opened
// and its bytes given part by part (a long report is never held whole), the replaced ones
// straight into their temporary files and completed there, then the ones written directly
// (FIFOs, devices, files written in place), which cannot be taken back and so are held until
// then, and only then the temporary files renamed over their targets. Any failure before the
// renames leaves every replaced file as it was; a FileSet dropped uncommitted replaces nothing.
class FileSet {
 public:
  // Opens the file at `path`: its index, or the errno.
  Outcome<std::size_t, int> open(const std::string& path);
  // Appends `bytes` to file `index`.
  void write(std::size_t index, std::string_view bytes);
  // Completes every file and renames the temporary ones over their targets.
  Outcome<Done, FilesFailure> commit();

 private:
  std::vector<std::unique_ptr<FileWriter>> writers_;
  std::vector<std::string> held_;  // the bytes of a file written directly
};

// Writes all of `bytes` to `fd`, retrying short and interrupted writes.
WriteOutcome write_all(int fd, std::string_view bytes);

}  // namespace fondara::output
