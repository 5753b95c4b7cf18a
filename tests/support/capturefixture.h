// Captures on the simulated card: live video running in Capture mode, as
// after Ctrl+C, and the files the captures leave behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/appfixture.h"
#include "tests/support/filebytes.h"

class CaptureTest : public AppTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The card, the main window in Capture mode (352 x 240) and the overlay
    // placed over it, the port running.
    sim::SimCard &StartCapturing(const std::string &config = "");

    // A path in the scratch folder c:\vidmora-tests, emptied for each test.
    static std::string Scratch(const std::string &name);
    static bool Exists(const std::string &path) { return FileExists(path); }
    static std::vector<BYTE> ReadWhole(const std::string &path) { return ReadWholeFile(path); }
};

// The mean luma of the pixels (x0..x1, y0..y1) of a UYVY frame.
int MeanLuma(const std::vector<BYTE> &uyvy, int width, int x0, int y0, int x1, int y1);
