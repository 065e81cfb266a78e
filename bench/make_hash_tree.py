#!/usr/bin/env python3
"""Makes the hashing benchmark's tree: the gathering tree's 200,000 files, 4 KB of content each.

Usage: python3 bench/make_hash_tree.py [root]   (default /tmp/vek-hash-tree)

The same folders and names as bench/make_tree.py (1,000 hidden files, so 199,000 are listed),
each file holding 4,096 bytes that differ from file to file.
"""
import os
import sys

root = sys.argv[1] if len(sys.argv) > 1 else "/tmp/vek-hash-tree"
extensions = [".txt", ".jpg", ".mp3", ".cpp", ".h", ".html", ".pdf", ".zip", "", ".tar.gz"]
block = os.urandom(4096 + 200_000)
count = 0
for top in range(10):
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
                    f.write(block[count % 200_000:count % 200_000 + 4096])
                count += 1
print(f"{count} files of 4 KB under {root}")
