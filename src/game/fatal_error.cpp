#include "game/fatal_error.h"

#include "display/screen_setup.h"
#include "game/game_state.h"
#include "game/texts.h"
#include "services/log.h"

void ShowFatalBox(const std::string& body) { message_box("Vesperine::" + Tr("tErrorERROR"), body, 0); }

void ReportFailedAsset(const std::string& name) {
  WriteLogLine("Load asset (" + name + "):" + Tabs(2) + "FAILED");
  screen_close();
  if (game.prefs.screenKind != ScreenFull) window_close(0);
  ShowFatalBox(Tr("tErrorASSET"));
}
