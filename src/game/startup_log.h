// The start-up log's header: machine, game, components, paths, starting settings, languages.
#pragma once

// From the start stamp down to the "Language:" line of the starting settings.
void WriteLogHeaderUpToLanguage();
// The rest of the starting settings.
void WriteStartingSettings();
// The languages found by the scan and the line that opens the start-up steps.
void WriteAvailableLanguages();
