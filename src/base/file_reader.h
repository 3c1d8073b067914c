#pragma once
// Reading a whole file into memory.

#include <cstddef>
#include <string>

#include "base/error.h"

namespace vorbel::base {

// Why a file could not be read.
enum class FileReadFailure {
  CannotOpen,      // missing, no permission, ...
  NotRegularFile,  // a folder, a device, a pipe
  TooLarge,        // more bytes than the reader allows
  ReadFailed,      // an error while reading
};

// what() is "Cannot open file <path>: <reason>", the reason being the system's
// error text, "not a regular file" or "the file is too large".
class FileReadError : public Error {
 public:
  FileReadError(FileReadFailure failure, const std::string& path, const std::string& reason);

  FileReadFailure Failure() const { return failure_; }
  const std::string& Reason() const { return reason_; }

 private:
  FileReadFailure failure_;
  std::string reason_;
};

// The whole contents of the regular file at `path`, at most `maxBytes` bytes.
// A file larger than that is refused before anything is read; one that grows
// beyond it while being read is refused too. Anything but a regular file (a
// folder, a FIFO, a device) is refused without waiting and without being
// opened. Throws FileReadError.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes);

// The whole contents of the regular file `name` in the open folder
// `folderFd`, read as ReadWholeFile reads, except that a link of that name is
// refused (NotRegularFile), never followed. `path` names it in messages.
std::string ReadWholeFileIn(int folderFd, const std::string& name, std::size_t maxBytes, const std::string& path);

// Everything this process's standard input holds up to its end, at most
// `maxBytes` bytes: whatever it is (a pipe, a terminal, a file from its
// current offset), it is read until it ends, and refused as soon as it is
// known to hold more. `name` stands for it in the messages of the
// FileReadError it throws (TooLarge, ReadFailed; CannotOpen when it is
// closed).
std::string ReadStandardInput(std::size_t maxBytes, const std::string& name);

}  // namespace vorbel::base
