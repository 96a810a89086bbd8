#pragma once

#include <string>

#include <QByteArray>

// Replaces a file's contents without ever leaving it torn, even by a power
// cut: the new bytes go to a fresh file beside it, which reaches the disk and
// is then renamed over the old one. The old file's permission bits (and owner,
// when running as root) are kept where the folder can hold them; a new file
// gets those of any file the program creates. Safe to use while other threads create files.
namespace SafeFileWriter {

// True when the system lets the program change the file at this path: the
// path names a regular file or nothing (not a folder, a pipe or a device),
// its folder exists and may be written, and an existing file has its own
// write permission (checked by its bits too, so a read-only file stays
// read-only for root as well).
bool mayReplace(const QByteArray& path);

// Follows symbolic links to the file they name, so that a write reaches the
// target and the link itself stays.
QByteArray finalTarget(const QByteArray& path);

// False when any step fails; the file is then exactly as it was.
bool replaceContents(const QByteArray& path, const std::string& bytes);

}  // namespace SafeFileWriter
