#!/usr/bin/env python3
"""Makes the gathering benchmark's tree: 200,000 empty files in 5,111 folders.

Usage: python3 bench/make_tree.py [root]   (default /tmp/vek-bench-tree)

Ten top folders, ten folders in each, fifty leaf folders in each of those (5,000 leaves), and
forty files per leaf with a mix of extensions, some Japanese names and some hidden files
(which the lister leaves out: 1,000 of the files are hidden, so 199,000 are listed).
"""
import os
import sys

root = sys.argv[1] if len(sys.argv) > 1 else "/tmp/vek-bench-tree"
extensions = [".txt", ".jpg", ".mp3", ".cpp", ".h", ".html", ".pdf", ".zip", "", ".tar.gz"]
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
                open(os.path.join(folder, name), "wb").close()
                count += 1
print(f"{count} files under {root}")
