#pragma once

#include <QString>

#include "DataFolder.h"

// The folder that holds the bookmark file, without a trailing separator.
// Raises the system's message when the folder cannot be had.
inline QString getWindowsDir(DataFolder& folder)
{
    return folder.locate();
}
