// Window events of the windowed and borderless kinds, drained at the start of every pass.
#pragma once

// Handles every pending event; OK on the settings screen leaves the rest for the next pass.
void DrainWindowEvents();
// Handles one event code. Returns false when the draining must stop for this pass.
bool HandleWindowEvent(int code);
