#pragma once
// Writing a file so that it is replaced whole or not at all.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/error.h"

namespace vorbel::base {

// Every failure to write an image or layout file. The message is ready to show.
class FileWriteError : public Error {
 public:
  using Error::Error;
};

// Writes into a temporary file beside the target and, on Commit, flushes it to
// disk and renames it over the target. Until Commit succeeds the target keeps
// its old contents byte for byte; after any failure the temporary file is gone.
//
//   AtomicFile f(path);      // "Cannot create file <path>" if it cannot be made
//   f.Write(bytes);
//   f.Commit();              // the file now holds exactly what was written
//
// The new file gets the permissions of the file it replaces, or 0666 less the
// umask when there was none. A target that is a symbolic link is followed: the
// file it points to is replaced and the link stays. An existing target that we
// may not write is refused as "Cannot create file", as opening it would be.
// Destroying an AtomicFile that was not committed discards what was written.
class AtomicFile {
 public:
  AtomicFile() = default;
  explicit AtomicFile(const std::string& path) { Open(path); }
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file for `path`. Throws FileWriteError("Cannot
  // create file <path>") when it cannot be made (missing or read-only folder,
  // a folder in the target's place). Discards any earlier uncommitted file.
  void Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }

  // Appends bytes (buffered). Throws FileWriteError("Unable to write to <path>:
  // <reason>") and discards the temporary file on failure.
  void Write(const void* data, std::size_t size);
  void Write(std::span<const std::uint8_t> bytes) { Write(bytes.data(), bytes.size()); }

  // Whether Commit waits until the contents and the rename are on the disk
  // (fsync of the file and of its folder). On by default. Without it the
  // replacement is still whole or nothing for every reader while the system
  // runs; only a power loss right after may find the old or an empty file.
  // Regenerable output (exported pictures) can skip the wait, which costs
  // milliseconds on many disks.
  void SetDurable(bool durable) { durable_ = durable; }

  // Gives the new file exactly these permission bits, whatever the file it
  // replaces had.
  void SetMode(unsigned mode) { mode_ = mode; }

  // Makes the written bytes the target's contents: flush, fsync, close, rename.
  // Throws FileWriteError on failure, leaving the target as it was.
  void Commit();

  // Drops the temporary file; the target stays as it was. Never throws.
  void Discard() noexcept;

 private:
  void Flush();
  [[noreturn]] void FailWithErrno(int err);

  std::string path_;    // as the caller named it, for messages
  std::string target_;  // the file that Commit replaces (links followed)
  std::string temp_;
  int fd_ = -1;
  std::vector<std::uint8_t> buffer_;
  bool durable_ = true;
  std::optional<unsigned> mode_;
};

// Writes `bytes` as the whole new contents of `path` through an AtomicFile.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace vorbel::base
