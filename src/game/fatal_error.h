// The fatal error box: titled "Vesperine::" + the translated word for error, then the program ends
// without saving the preferences.
#pragma once

#include <string>

void ShowFatalBox(const std::string& body);
// An asset (or the music) could not be had: FAILED line, screen and window closed, box.
void ReportFailedAsset(const std::string& name);
