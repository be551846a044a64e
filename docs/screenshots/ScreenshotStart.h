// Start-up shared by the screenshot programs: the one argument names the picture to write, and
// the main window runs on the fixture's temporary application folder at the given size.
#pragma once

#include "MainFixture.h"

#include "shell/Main.h"

#include <QtGlobal>

// The started main window, or null after a usage message when the argument is missing.
inline Main* startScreenshot(MainFixture& fixture, int argc, const char* program, QSize size) {
    if (argc != 2) {
        qWarning("usage: %s <output.png>", program);
        return nullptr;
    }
    Main& main = fixture.start();
    main.resize(size);
    return &main;
}
