// A read-only FUSE pass-through for the benchmarks of walks over slow shares: it shows a
// folder of the local disk as it is, but waits a fixed time (1 ms by default) before answering
// every lookup, getattr and readdir, as a network file system waits for a round trip. Entry,
// attribute and negative caching are off (timeouts 0), so every look at a file asks again; it
// serves requests on many threads, as a server does. The high-level API of libfuse answers a
// lookup through getattr, so the one delay there covers both.
//
// The source folder is opened before the mount, so the mount point may be the source folder
// itself: the tree then keeps its paths, and lists made over the share are byte for byte the
// lists made on the disk.
//
// Usage: vek_slowfs [--delay-ms N] SOURCE MOUNTPOINT   (runs in the foreground until unmounted:
// fusermount3 -u MOUNTPOINT)
#define FUSE_USE_VERSION FUSE_MAKE_VERSION(3, 12)

#include <dirent.h>
#include <fcntl.h>
#include <fuse.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

int sourceFd = -1;
timespec delay{0, 1'000'000};

void wait() {
  timespec left = delay;
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

// FUSE paths begin with "/"; the *at calls take them relative to the source folder.
std::string relative(const char* path) {
  while (*path == '/') ++path;
  return *path ? std::string(path) : std::string(".");
}

void* init(fuse_conn_info*, fuse_config* config) {
  config->entry_timeout = 0;
  config->attr_timeout = 0;
  config->negative_timeout = 0;
  config->kernel_cache = 0;
  return nullptr;
}

int getattr(const char* path, struct stat* st, fuse_file_info*) {
  wait();
  return fstatat(sourceFd, relative(path).c_str(), st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : -errno;
}

int readlink(const char* path, char* buffer, size_t size) {
  if (size == 0) return -EINVAL;
  const ssize_t length = readlinkat(sourceFd, relative(path).c_str(), buffer, size - 1);
  if (length < 0) return -errno;
  buffer[length] = '\0';
  return 0;
}

int opendir(const char* path, fuse_file_info* info) {
  const int fd = openat(sourceFd, relative(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -errno;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    const int error = errno;
    close(fd);
    return -error;
  }
  info->fh = reinterpret_cast<uint64_t>(dir);
  return 0;
}

int readdir(const char*, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info* info,
            fuse_readdir_flags) {
  wait();
  DIR* dir = reinterpret_cast<DIR*>(info->fh);
  rewinddir(dir);
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (!entry) return errno ? -errno : 0;
    // The entry's type goes along, as a network file system's listing gives it.
    struct stat st {};
    st.st_ino = entry->d_ino;
    st.st_mode = DTTOIF(entry->d_type);
    if (fill(buffer, entry->d_name, &st, 0, fuse_fill_dir_flags(0)) != 0) return -ENOMEM;
  }
}

int releasedir(const char*, fuse_file_info* info) {
  closedir(reinterpret_cast<DIR*>(info->fh));
  return 0;
}

int open(const char* path, fuse_file_info* info) {
  if ((info->flags & O_ACCMODE) != O_RDONLY) return -EROFS;
  const int fd = openat(sourceFd, relative(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -errno;
  info->fh = uint64_t(fd);
  return 0;
}

int read(const char*, char* buffer, size_t size, off_t offset, fuse_file_info* info) {
  const ssize_t length = pread(int(info->fh), buffer, size, offset);
  return length < 0 ? -errno : int(length);
}

int release(const char*, fuse_file_info* info) {
  close(int(info->fh));
  return 0;
}

int statfs(const char*, struct statvfs* st) {
  return fstatvfs(sourceFd, st) == 0 ? 0 : -errno;
}

}  // namespace

int main(int argc, char* argv[]) {
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--delay-ms") == 0) {
    const double ms = std::atof(argv[2]);
    delay.tv_sec = time_t(ms / 1000);
    delay.tv_nsec = long((ms - double(delay.tv_sec) * 1000) * 1'000'000);
    first = 3;
  }
  if (argc - first != 2) {
    std::fprintf(stderr, "usage: %s [--delay-ms N] SOURCE MOUNTPOINT\n", argv[0]);
    return 2;
  }
  const char* source = argv[first];
  const char* mountPoint = argv[first + 1];
  sourceFd = ::open(source, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (sourceFd < 0) {
    std::perror(source);
    return 1;
  }

  fuse_operations operations{};
  operations.init = init;
  operations.getattr = getattr;
  operations.readlink = readlink;
  operations.opendir = opendir;
  operations.readdir = readdir;
  operations.releasedir = releasedir;
  operations.open = open;
  operations.read = read;
  operations.release = release;
  operations.statfs = statfs;

  char* arguments[] = {argv[0], const_cast<char*>("-o"),
                       const_cast<char*>("ro,default_permissions,fsname=vek_slowfs")};
  fuse_args args = FUSE_ARGS_INIT(3, arguments);
  fuse* fs = fuse_new(&args, &operations, sizeof operations, nullptr);
  if (!fs) return 1;
  if (fuse_mount(fs, mountPoint) != 0) {
    fuse_destroy(fs);
    return 1;
  }
  fuse_set_signal_handlers(fuse_get_session(fs));
  // Many requests at once, as a server takes them: the walk's readers must not queue here.
  fuse_loop_config* loop = fuse_loop_cfg_create();
  fuse_loop_cfg_set_max_threads(loop, 128);
  fuse_loop_cfg_set_idle_threads(loop, 64);
  const int result = fuse_loop_mt(fs, loop);
  fuse_loop_cfg_destroy(loop);
  fuse_remove_signal_handlers(fuse_get_session(fs));
  fuse_unmount(fs);
  fuse_destroy(fs);
  return result == 0 ? 0 : 1;
}
