#!/usr/bin/env python3
"""Writes a folder into a zip file that is the same bytes on every run and every machine.

usage: zip-folder.py <folder> <zip file> <time stamp, seconds since 1970 (UTC)>

The members are stored under the folder's own name, in byte-wise order of their paths, directories first
in their own entries; every member carries the given time and plain MS-DOS attributes (no owner, no
permissions, no extra fields), so neither the time of the build nor the builder's account shows.
"""
import os
import sys
import time
import zipfile

DOS_DIRECTORY = 0x10
DOS_ARCHIVE = 0x20


def member(name, stamp, directory):
    info = zipfile.ZipInfo(name, date_time=time.gmtime(max(stamp, 315532800))[:6])  # zip times start in 1980
    info.create_system = 0  # MS-DOS: the attributes below mean what Windows expects
    info.external_attr = DOS_DIRECTORY if directory else DOS_ARCHIVE
    info.compress_type = zipfile.ZIP_STORED if directory else zipfile.ZIP_DEFLATED
    return info


def main(folder, output, stamp):
    folder = os.path.normpath(folder)
    base = os.path.basename(folder)
    entries = []
    for root, directories, files in os.walk(folder):
        relative = os.path.relpath(root, folder)
        prefix = base if relative == "." else base + "/" + relative.replace(os.sep, "/")
        entries.append((prefix + "/", None))
        entries.extend((prefix + "/" + name, os.path.join(root, name)) for name in files)
    entries.sort(key=lambda entry: entry[0].encode("utf-8"))
    with zipfile.ZipFile(output, "w", compresslevel=9) as archive:
        for name, path in entries:
            if path is None:
                archive.writestr(member(name, stamp, True), b"")
            else:
                with open(path, "rb") as source:
                    archive.writestr(member(name, stamp, False), source.read())


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[2])
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
