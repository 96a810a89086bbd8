#pragma once

#include <QString>

// Checks that the file at a native path is a wave file the device can play: a
// RIFF file of form WAVE with a usable "fmt " chunk and a "data" chunk.
// Returns 0, MciError::FileNotFound when it cannot be read as a course file
// (missing, no regular file, outside the course), or MciError::InvalidFile
// (also for a file too large for a sound).
int checkWaveFile(const QString& path);
