#!/usr/bin/env python3
"""Makes a very deep tree: one chain of folders named "d", a file every 1,000 levels.

Usage: python3 bench/make_deep_tree.py root levels   (30,000 levels: 31 files, paths of
60,000 bytes at the bottom, far beyond PATH_MAX)

Each folder is made relative to the open descriptor of the one above it, as no path to the
deeper ones can be passed to the system whole.
"""
import os
import sys

root, levels = sys.argv[1], int(sys.argv[2])
os.makedirs(root)
fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
for level in range(levels + 1):
    if level % 1000 == 0:
        os.close(os.open(f"file{level:05}.txt", os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd))
    if level == levels:
        break
    os.mkdir("d", dir_fd=fd)
    below = os.open("d", os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
    os.close(fd)
    fd = below
os.close(fd)
