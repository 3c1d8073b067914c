#pragma once
// Writing a file so that it is replaced whole or not at all, and only where
// it is safe to write.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/safe_folder.h"

struct stat;

namespace vorbel::base {

// Every failure to write an image or layout file. The message is ready to show.
class FileWriteError : public Error {
 public:
  using Error::Error;
  FileWriteError(const std::string& message, std::string reason) : Error(message), reason_(std::move(reason)) {}

  // Why the target itself was refused before anything was written ("it is a
  // block device", a link planted by another user); empty for every other
  // failure, whose message says all there is.
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

// Writes a file so that every reader finds its old or its complete new
// contents, never a mixture:
//
//   AtomicFile f(path);      // "Cannot create file <path>" if it cannot be made
//   f.Write(bytes);
//   f.Commit();              // the file now holds exactly what was written
//
// Open decides where and how the contents go:
//  - Symbolic links are followed, as opening the name would follow them, and
//    the file they lead to is written while the links stay. Like the kernel's
//    protected-symlink rule, a link in a sticky folder that everyone may write
//    (such as /tmp) is followed only when it belongs to the caller (the
//    effective user) or to the folder's owner; any other is refused, so that
//    no other user can point a name the caller writes at the caller's files.
//    The rule holds for every part of the path, the folders on the way
//    included, whatever the system's own setting; the file is then written
//    in the folder so reached, by its name there. A link that leads to
//    nothing is itself replaced.
//  - A regular file, or nothing yet: the contents go to a temporary file in
//    the target's folder (unnamed until Commit where the system allows, else
//    under a short name, so any name that fits the folder can be written),
//    which Commit renames over the target. The new file keeps the permission
//    bits of the file it replaces except setuid and setgid, and its owner and
//    group as far as the caller may give them; a new file gets 0666 less the
//    umask.
//  - A regular file that the caller may write in a folder it may not: written
//    in place by Commit. Room for the new contents is claimed before a byte
//    changes, and when the write fails all the same the old bytes are put back.
//  - A character device or a FIFO (/dev/null, /dev/stdout, a named pipe):
//    written in place by Commit, never replaced. Opening a FIFO waits for its
//    reader, as for any program that writes one.
//  - A folder, or a file the caller may not write: "Cannot create file".
//  - Anything else (a block device, a socket): refused, with the reason.
// Until Commit succeeds the target keeps its old contents byte for byte; after
// any failure no temporary file remains. A write beyond the file-size limit
// fails like any other: the first AtomicFile of a process makes it ignore
// SIGXFSZ (unless the program handles that signal itself), which would
// otherwise end the process in the middle of the write.
// Destroying an AtomicFile that was not committed discards what was written.
class AtomicFile {
 public:
  // How Commit puts the contents in place.
  enum class Method {
    Replace,  // a new file renamed over the target
    InPlace,  // the regular file's own bytes rewritten: its folder may not be written
    Stream,   // a character device or FIFO written to
  };

  AtomicFile() = default;
  explicit AtomicFile(const std::string& path) { Open(path); }
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Prepares writing `path`. Throws FileWriteError("Cannot create file
  // <path>") when it cannot be written (missing or read-only folder, a folder
  // in the target's place, a file the caller may not write), and
  // FileWriteError("Cannot create file <path>: <reason>") with Reason() set
  // for a target refused as unsafe. Discards any earlier uncommitted file.
  void Open(const std::string& path);
  // Prepares writing this process's standard output, whatever it is (a pipe,
  // a socket, a device, or a regular file, which is written from its current
  // offset, never replaced): Commit writes the contents to it at once, the
  // Stream method. `name` stands for it in messages. A terminal is refused, as
  // binary contents would only garble it, and so is a closed standard output:
  // FileWriteError("Unable to write to <name>: <reason>").
  void OpenStandardOutput(const std::string& name);
  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }

  // The file that Commit writes: the path with its links followed. Valid
  // after Open.
  const std::string& Target() const { return target_; }
  Method WriteMethod() const { return method_; }

  // Appends bytes (buffered). Throws FileWriteError("Unable to write to <path>:
  // <reason>") and discards the temporary file on failure.
  void Write(const void* data, std::size_t size);
  void Write(std::span<const std::uint8_t> bytes) { Write(bytes.data(), bytes.size()); }

  // Whether Commit waits until the contents (and a rename) are on the disk
  // (fsync of the file and of its folder). On by default. Without it the
  // replacement is still whole or nothing for every reader while the system
  // runs; only a power loss right after may find the old or an empty file.
  // Regenerable output (exported pictures) can skip the wait, which costs
  // milliseconds on many disks.
  void SetDurable(bool durable) { durable_ = durable; }

  // Confines the write to the name itself (set before Open): a symbolic link
  // of that name is replaced by the new file rather than followed, and
  // anything there that is neither a regular file nor a link is refused. For
  // writers that must not reach outside a folder, whatever links it holds.
  void SetReplaceLinks(bool replace) { replace_links_ = replace; }

  // Writes only into a folder that belongs to the caller (the effective
  // user) and that no one else may write (set before Open): for private
  // files such as caches, which another user must not be able to plant or
  // swap. Open refuses any other folder with a reason.
  void SetPrivateFolder(bool only) { private_folder_ = only; }

  // Gives a replacing file exactly these permission bits, whatever the file
  // it replaces had.
  void SetMode(unsigned mode) { mode_ = mode; }

  // Makes the written bytes the target's contents. Throws FileWriteError on
  // failure, leaving the target as it was.
  void Commit();

  // Drops what was written; the target stays as it was. Never throws.
  void Discard() noexcept;

 private:
  // Drops what an earlier Open held and starts anew on `path` with `method`.
  void Begin(const std::string& path, Method method);
  bool ResolveTarget(struct stat& st);
  void OpenTargetFolder();
  int OpenTemporary();
  void OpenInPlace(const struct stat& st);
  void OpenStream();
  void Flush();
  void KeepAttributes();
  void NameTemporary();
  void CommitReplace();
  void CommitInPlace();
  void CommitStream();
  [[noreturn]] void FailWithErrno(int err);
  [[noreturn]] void CannotCreate() const;
  FileWriteError NotOpen() const;
  [[noreturn]] void Refuse(const std::string& reason) const;

  std::string path_;    // as the caller named it, for messages
  std::string target_;  // the file that Commit writes (links followed)
  UniqueFd dir_;        // the target's folder, opened by OpenTargetFolder
  std::string leaf_;    // the target's name in it
  std::string temp_;    // the temporary file's name in it; empty while it has none
  int fd_ = -1;
  Method method_ = Method::Replace;
  std::vector<std::uint8_t> buffer_;
  bool durable_ = true;
  bool replace_links_ = false;
  bool private_folder_ = false;
  std::optional<unsigned> mode_;
  // Owner, group and permission bits of the regular file a replacement takes
  // the place of.
  struct Attributes {
    std::uint32_t uid = 0;
    std::uint32_t gid = 0;
    std::uint32_t mode = 0;
  };
  std::optional<Attributes> replaced_;
  bool readable_ = false;  // InPlace: the old bytes can be read back
};

// Writes `bytes` as the whole new contents of `path` through an AtomicFile.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace vorbel::base
