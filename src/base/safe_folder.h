#pragma once
// Opening folders so that no other user's link can lead the program into
// a folder of the user's own, whatever the system's link settings, and
// judging a folder before a private file goes in it.

#include <string>

namespace vorbel::base {

// A file descriptor that is closed with its holder.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void Reset(int fd = -1);

 private:
  int fd_ = -1;
};

// Whether the kernel's protected-symlink rule lets the caller follow a link
// owned by `linkOwner` that lies in the folder `folderFd`: always outside
// sticky folders that everyone may write; inside one only when the link
// belongs to the caller (the effective user) or to the folder's owner.
bool MayFollowLinkIn(int folderFd, unsigned linkOwner);

// Opens the folder `path` names (relative paths from the working folder) for
// use with openat and its kin (O_PATH), resolving it part by part as the
// kernel would, and applying the protected-symlink rule above to every link
// met on the way, whether or not the system applies it: a refused link ends
// the walk with errno EACCES and `refusal` set to a sentence that names the
// link and its folder. Other failures leave errno as the system set it and
// `refusal` empty. Returns the descriptor or an invalid one.
UniqueFd OpenFolderSafely(const std::string& path, std::string& refusal);

// Whether the open folder `folderFd` belongs to the effective user and no
// one else may write in it: the condition for keeping private files there.
bool IsPrivateFolder(int folderFd);

}  // namespace vorbel::base
