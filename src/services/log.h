// The start-up log ("/LOG"): off until OpenLog and EnableLog, then every WriteLogLine appends one
// line. Every part of the game calls WriteLogLine unconditionally; the on/off decision lives here.
#pragma once

#include <string>

// Creates the file and puts `firstLine` in it; a log already there under that name (two games
// started within one second) is kept, the new one takes the name with " (2)", " (3)"... 1 on
// success, 0 when no file can be created (logging then stays off for the run).
int OpenLog(const std::string& path, const std::string& firstLine);
// Switches writing on when a log file is open.
void EnableLog();
// Appends text + LF while logging is on, in the file when it returns (a start-up log is read after
// the start went wrong, a crash included). When the file has gone bad, logging switches off for good.
void WriteLogLine(const std::string& text);
bool LogEnabled();

std::string Tabs(int n);  // n tab characters, "" for n < 1

// Component versions shown in the log header.
std::string LanguageVersion();  // "2.0"
std::string CursorVersion();    // "0.1"
std::string LogVersion();       // "1.2"

// Closes the file and returns to the initial state (off, no file). Tests only.
void CloseLogForTests();
