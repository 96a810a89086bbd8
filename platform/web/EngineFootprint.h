#pragma once

#include <QByteArray>

// Adds one switch to those Chromium starts with, unless it is there already.
// Takes effect only before the engine's first start.
void addChromiumFlag(const QByteArray& flag);

// Chromium's process model, sized for one learner's few pages on a small
// machine rather than for a browser's many tabs: every view shares one
// renderer process, and without the sandbox (running as root) renderers start
// without the zygote processes that only the sandbox needs. Call once, after
// the sandbox is settled and before the first view.
void keepEngineSmall();
