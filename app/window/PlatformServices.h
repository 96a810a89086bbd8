#pragma once

#include <functional>
#include <memory>

#include "DataFolder.h"
#include "HtmlEngine.h"
#include "RegionalSettings.h"
#include "Shell.h"
#include "VideoControl.h"
#include "WaveDevice.h"

// What the main window needs of the system, in one place: the program entry
// wires the real services, tests put fakes in their place.
struct PlatformServices {
    DataFolder& dataFolder;
    RegionalSettings& regionalSettings;
    std::function<std::unique_ptr<VideoControl>()> makeVideoControl;
    std::function<std::unique_ptr<WaveDevice>()> makeWaveDevice;
    std::function<std::unique_ptr<HtmlEngine>()> makeHtmlEngine;
    Shell& shell;
};
