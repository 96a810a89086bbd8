#!/usr/bin/python3
"""A pass-through file system for tests that puts a disc's faults under the program.

    fault-fs.py SOURCE MOUNTPOINT CONTROL

Everything under MOUNTPOINT is SOURCE, until the JSON file CONTROL (read again
whenever it changes; a missing file means no faults) says otherwise:
  "slow_ms": N, "slow_under": "dir/"   each read of a file under that folder
                                        ("" for all) waits N ms first
  "fail_reads": {"path": N}            reads of that file give its first N
                                        bytes, then an I/O error
  "gone": true                          the disc is removed: everything but a
                                        look at the mount point itself fails
                                        with an I/O error
  "full": true                          writes fail: no space left
  "no_modes": true                      mode and owner changes are refused, as
                                        on vfat
  "stale_stamps": ["path", ...]         those files' attributes stay as first
                                        seen while the fault stands, as a
                                        network home's attribute cache answers
Reads bypass the page cache (direct_io), so each one reaches this process.
Unmount with fusermount -u MOUNTPOINT; the process then ends.
"""
import errno
import json
import os
import sys
import threading
import time

from fusepy import FUSE, FuseOSError, Operations


class Faults:
    def __init__(self, path):
        self.path = path
        self.stamp = None
        self.settings = {}
        self.lock = threading.Lock()

    def get(self):
        try:
            stamp = os.stat(self.path).st_mtime_ns
        except FileNotFoundError:
            stamp = None
        with self.lock:
            if stamp != self.stamp:
                self.stamp = stamp
                try:
                    with open(self.path) as control:
                        self.settings = json.load(control)
                except (OSError, ValueError):
                    self.settings = {}
            return self.settings


class FaultFs(Operations):
    def __init__(self, source, control):
        self.source = os.path.realpath(source)
        self.faults = Faults(control)
        self.stale = {}
        self.stale_under = None

    def __call__(self, op, path, *args):
        if self.faults.get().get('gone') and (op, path) != ('getattr', '/'):
            raise FuseOSError(errno.EIO)
        try:
            return super().__call__(op, path, *args)
        except OSError as error:
            raise FuseOSError(error.errno or errno.EIO)

    def real(self, path):
        return os.path.join(self.source, path.lstrip('/'))

    def refuse_when(self, setting, code):
        if self.faults.get().get(setting):
            raise FuseOSError(code)

    def getattr(self, path, fh=None):
        info = os.lstat(self.real(path))
        attributes = {key: getattr(info, key) for key in (
            'st_mode', 'st_nlink', 'st_uid', 'st_gid', 'st_size', 'st_atime', 'st_mtime', 'st_ctime')}
        faults = self.faults.get()
        if faults is not self.stale_under:
            self.stale, self.stale_under = {}, faults
        if path.lstrip('/') in faults.get('stale_stamps', []):
            return self.stale.setdefault(path, attributes)
        return attributes

    def readdir(self, path, fh):
        return ['.', '..'] + os.listdir(self.real(path))

    def readlink(self, path):
        return os.readlink(self.real(path))

    def access(self, path, mode):
        if not os.access(self.real(path), mode):
            raise FuseOSError(errno.EACCES)

    def statfs(self, path):
        info = os.statvfs(self.real(path))
        return {key: getattr(info, key) for key in (
            'f_bavail', 'f_bfree', 'f_blocks', 'f_bsize', 'f_favail', 'f_ffree', 'f_files', 'f_flag',
            'f_frsize', 'f_namemax')}

    def open(self, path, flags):
        return os.open(self.real(path), flags)

    def create(self, path, mode, fi=None):
        self.refuse_when('full', errno.ENOSPC)
        return os.open(self.real(path), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, mode)

    def read(self, path, size, offset, fh):
        faults = self.faults.get()
        if faults.get('slow_ms') and path.lstrip('/').startswith(faults.get('slow_under', '')):
            time.sleep(faults['slow_ms'] / 1000.0)
        limit = faults.get('fail_reads', {}).get(path.lstrip('/'))
        if limit is not None:
            if offset >= limit:
                raise FuseOSError(errno.EIO)
            size = min(size, limit - offset)
        return os.pread(fh, size, offset)

    def write(self, path, data, offset, fh):
        self.refuse_when('full', errno.ENOSPC)
        return os.pwrite(fh, data, offset)

    def truncate(self, path, length, fh=None):
        if length > 0:
            self.refuse_when('full', errno.ENOSPC)
        os.truncate(self.real(path), length)

    def flush(self, path, fh):
        return 0

    def fsync(self, path, datasync, fh):
        os.fsync(fh)

    def release(self, path, fh):
        os.close(fh)

    def unlink(self, path):
        os.unlink(self.real(path))

    def rename(self, old, new):
        os.rename(self.real(old), self.real(new))

    def mkdir(self, path, mode):
        self.refuse_when('full', errno.ENOSPC)
        os.mkdir(self.real(path), mode)

    def rmdir(self, path):
        os.rmdir(self.real(path))

    def symlink(self, target, source):
        os.symlink(source, self.real(target))

    def chmod(self, path, mode):
        self.refuse_when('no_modes', errno.EPERM)
        os.chmod(self.real(path), mode)

    def chown(self, path, uid, gid):
        self.refuse_when('no_modes', errno.EPERM)
        os.chown(self.real(path), uid, gid)

    def utimens(self, path, times=None):
        os.utime(self.real(path), times)


if __name__ == '__main__':
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    FUSE(FaultFs(sys.argv[1], sys.argv[3]), sys.argv[2], foreground=True, direct_io=True,
         attr_timeout=0, entry_timeout=0, negative_timeout=0, default_permissions=True)
