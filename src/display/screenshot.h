// S saves the current frame as "Vesperine dd-mm-yyyy hh-ii-ss.png" in the save directory; further
// screenshots of the same second are "... (2).png", "... (3).png".
#pragma once

#include <ctime>
#include <string>

std::string ScreenshotFileName(const std::string& saveDir, const std::tm& localTime);
// Grabs the frame just drawn into sprite 3 and writes it; logs "Saving screenshot:". 1 when written.
int TakeScreenshot(const std::string& saveDir, int width, int height);
