#!/usr/bin/env python3
"""Makes the gathering benchmark's tree: 200,000 empty files in 5,111 folders.

Usage: python3 bench/make_tree.py [root] [tops] [bytes]
       (default /tmp/vek-bench-tree, 10 tops, empty files)

With tops = 50 the tree holds 1,000,000 files (995,000 listed) in 25,551 folders. With bytes
(the hashing benchmark: 4096) each file holds that many bytes that differ from file to file.

Ten top folders, ten folders in each, fifty leaf folders in each of those (5,000 leaves), and
forty files per leaf with a mix of extensions, some Japanese names and some hidden files
(which the lister leaves out: 1,000 of the files are hidden, so 199,000 are listed).
"""
import os
import sys

root = sys.argv[1] if len(sys.argv) > 1 else "/tmp/vek-bench-tree"
tops = int(sys.argv[2]) if len(sys.argv) > 2 else 10
size = int(sys.argv[3]) if len(sys.argv) > 3 else 0
block = os.urandom(size + 200_000) if size else b""
extensions = [".txt", ".jpg", ".mp3", ".cpp", ".h", ".html", ".pdf", ".zip", "", ".tar.gz"]
count = 0
for top in range(tops):
    for mid in range(10):
        for leaf in range(50):
            folder = os.path.join(root, f"top{top:02}", f"フォルダ{mid:02}", f"leaf{leaf:02}")
            os.makedirs(folder, exist_ok=True)
            for i in range(40):
                if i == 39 and leaf % 5 == 0:
                    name = f".hidden{i}"
                elif i % 7 == 0:
                    name = f"ファイル {i}{extensions[i % len(extensions)]}"
                else:
                    name = f"file{i:03}{extensions[i % len(extensions)]}"
                with open(os.path.join(folder, name), "wb") as f:
                    if size:
                        f.write(block[count % 200_000:count % 200_000 + size])
                count += 1
print(f"{count} files under {root}")
