#include "base/safe_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <deque>

namespace vorbel::base {
namespace {

// The kernel follows at most this many links in one lookup.
constexpr int kMaxLinks = 40;

// The parts of a path in order, without empty parts and ".".
void PushParts(std::deque<std::string>& parts, const std::string& path) {
  std::deque<std::string> ahead;
  std::size_t at = 0;
  while (at <= path.size()) {
    const std::size_t slash = std::min(path.find('/', at), path.size());
    std::string part = path.substr(at, slash - at);
    if (!part.empty() && part != ".") ahead.push_back(std::move(part));
    at = slash + 1;
  }
  parts.insert(parts.begin(), ahead.begin(), ahead.end());
}

std::string Joined(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

void UniqueFd::Reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

bool MayFollowLinkIn(int folderFd, unsigned linkOwner) {
  struct stat dir {};
  if (::fstat(folderFd, &dir) != 0) return false;
  const bool shared = (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0;
  return !shared || linkOwner == ::geteuid() || linkOwner == dir.st_uid;
}

UniqueFd OpenFolderSafely(const std::string& path, std::string& refusal) {
  refusal.clear();
  constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
  const bool absolute = !path.empty() && path.front() == '/';
  UniqueFd current(::open(absolute ? "/" : ".", kFolderFlags));
  if (!current.Valid()) return current;
  // The folder reached so far, as text for messages.
  std::string where = absolute ? "/" : ".";
  std::deque<std::string> parts;
  PushParts(parts, path);
  int links = 0;
  while (!parts.empty()) {
    const std::string name = std::move(parts.front());
    parts.pop_front();
    UniqueFd next(::openat(current.Get(), name.c_str(), kFolderFlags | O_NOFOLLOW));
    if (next.Valid()) {
      current = std::move(next);
      where = Joined(where, name);
      continue;
    }
    const int err = errno;
    struct stat own {};
    if ((err != ENOTDIR && err != ELOOP) || ::fstatat(current.Get(), name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISLNK(own.st_mode)) {
      errno = err;
      return {};
    }
    if (++links > kMaxLinks) {
      errno = ELOOP;
      return {};
    }
    if (!MayFollowLinkIn(current.Get(), own.st_uid)) {
      refusal = "the link " + Joined(where, name) + " belongs to another user in the shared folder " + where;
      errno = EACCES;
      return {};
    }
    std::string text(static_cast<std::size_t>(own.st_size > 0 ? own.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlinkat(current.Get(), name.c_str(), text.data(), text.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= text.size()) {
      errno = n == 0 ? ENOENT : (n < 0 ? errno : ENAMETOOLONG);
      return {};
    }
    text.resize(static_cast<std::size_t>(n));
    if (text.front() == '/') {
      current.Reset(::open("/", kFolderFlags));
      if (!current.Valid()) return {};
      where = "/";
    }
    PushParts(parts, text);
  }
  return current;
}

bool IsPrivateFolder(int folderFd) {
  struct stat dir {};
  return ::fstat(folderFd, &dir) == 0 && S_ISDIR(dir.st_mode) && dir.st_uid == ::geteuid() &&
         (dir.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace vorbel::base
