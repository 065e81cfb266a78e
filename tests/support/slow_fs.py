#!/usr/bin/python3
# A read-only FUSE file system for tests and benchmarks of walks over slow or hung mounts:
# folders d000.. each holding files f00.txt.., every call delayed by --delay ms, and with
# --stuck a folder "zz_stuck" whose listing never returns (a stale network mount). When a
# listing of zz_stuck begins, a line "stuck" is written to the --signal file.
# Runs in the foreground until unmounted or killed.
import argparse
import errno
import os
import stat
import threading
import time

from fusepy import FUSE, FuseOSError, Operations


class SlowFs(Operations):
    def __init__(self, folders, files, delay, stuck, signal, broken):
        self.folders = [f"d{i:03d}" for i in range(folders)]
        self.broken = {f"d{i:03d}" for i in broken}
        self.files = [f"f{i:02d}.txt" for i in range(files)]
        self.delay = delay / 1000.0
        self.stuck = stuck
        self.signal = signal
        self.never = threading.Event()
        self.now = time.time()

    def wait(self):
        if self.delay:
            time.sleep(self.delay)

    def kind(self, path):
        parts = [p for p in path.split("/") if p]
        if not parts:
            return "dir"
        if parts[0] == "zz_stuck" and self.stuck and len(parts) == 1:
            return "dir"
        if parts[0] in self.folders:
            if len(parts) == 1:
                return "dir"
            if len(parts) == 2 and parts[1] in self.files:
                return "file"
            if len(parts) == 2 and parts[1] == "x.txt" and parts[0] in self.broken:
                return "broken"
        return None

    def getattr(self, path, fh=None):
        self.wait()
        kind = self.kind(path)
        if kind is None:
            raise FuseOSError(errno.ENOENT)
        if kind == "broken":
            raise FuseOSError(errno.EIO)
        mode = (stat.S_IFDIR | 0o755) if kind == "dir" else (stat.S_IFREG | 0o644)
        return {"st_mode": mode, "st_nlink": 2 if kind == "dir" else 1,
                "st_size": 0 if kind == "dir" else 10, "st_mtime": self.now,
                "st_atime": self.now, "st_ctime": self.now, "st_uid": 0, "st_gid": 0}

    def readdir(self, path, fh):
        self.wait()
        parts = [p for p in path.split("/") if p]
        if parts == ["zz_stuck"]:
            if self.signal:
                with open(self.signal, "a") as out:
                    out.write("stuck\n")
            self.never.wait()
        folder = {"st_mode": stat.S_IFDIR | 0o755}
        file = {"st_mode": stat.S_IFREG | 0o644}
        if not parts:
            names = [(n, folder, 0) for n in self.folders]
            if self.stuck:
                names.append(("zz_stuck", folder, 0))
        elif self.kind(path) == "dir":
            names = [(n, file, 0) for n in self.files]
            if parts[0] in self.broken:
                names.append(("x.txt", file, 0))
        else:
            raise FuseOSError(errno.ENOENT)
        # With each entry's type, so that the kernel reports it and the lister needs no stat.
        return [(".", folder, 0), ("..", folder, 0)] + names

    def open(self, path, flags):
        self.wait()
        if self.kind(path) != "file":
            raise FuseOSError(errno.ENOENT)
        return 0

    def read(self, path, size, offset, fh):
        self.wait()
        return b"0123456789"[offset:offset + size]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mountpoint")
    parser.add_argument("--folders", type=int, default=3)
    parser.add_argument("--files", type=int, default=2)
    parser.add_argument("--delay", type=float, default=0)
    parser.add_argument("--stuck", action="store_true")
    parser.add_argument("--signal", default="")
    parser.add_argument("--broken", default="")
    args = parser.parse_args()
    broken = [int(i) for i in args.broken.split(",") if i]
    fs = SlowFs(args.folders, args.files, args.delay, args.stuck, args.signal, broken)
    FUSE(fs, args.mountpoint, foreground=True, nothreads=False, ro=True)


if __name__ == "__main__":
    main()
