#!/usr/bin/env bash
# The mutation check, run by hand: each fault of the table below alone in a scratch copy of the tree
# (never the tree itself), the test program of its layer built (for e2e the game and its packs), and
# the tests named for it run: they must fail. Prints caught or MISSED for each; exits 1 when any is
# missed or its sed no longer finds its line (adapt the sed to the code as it is now).
#   bash tests/mutations.sh [SOURCE_TREE] [ID...]      (the tree this script is in, every mutation)
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
tree=$here
if [ $# -gt 0 ] && [ -d "$1" ]; then tree=$(cd "$1" && pwd); shift; fi
only=" $* "
jobs=$(nproc)

# mutation ID FILE PROGRAM TEST_FILTER SED WHAT
# PROGRAM: services, display, game (unit tests through the fake platform), platform (the real
# one under a private Xvfb), platform-xorg (the same under Xorg's dummy driver, which switches video
# modes), assets (the asset generator's drawing), e2e (the real game) or script (a test of the scripts, nothing built).
# TEST_FILTER: gtest's --gtest_filter, for e2e and script the name of one ctest test. SED: one sed script over FILE.
ids=() files=() programs=() filters=() seds=() whats=()
mutation() { ids+=("$1"); files+=("$2"); programs+=("$3"); filters+=("$4"); seds+=("$5"); whats+=("$6"); }

mutation 01 src/game/board.cpp game BoardTest.PickIsStrictOnTheCardEdgesAndStopsAtTwo 's/x > cell\.x &&/x >= cell.x \&\&/' "a card picked on its left edge"
mutation 02 src/game/board.cpp game BoardTest.WrongPairStaysUp81FramesMatchingPairFadesOver32 \
  's/game\.frameCounter > 80/game.frameCounter > 79/' "a wrong pair turned back a frame early"
mutation 03 src/game/frame_drawing.cpp game DrawingTest.LogoTitleAndTheMenuOverTheBoard \
  '/sprite_draw_blended(kSpriteMenuShadow/{h;d}; /sprite_draw_blended(kSpriteMenuPanel/G' "the menu's shadow drawn over its panel"
mutation 04 src/game/startup_log.cpp game 'StartUpTest.LogHeaderAndStartUpLines*' 's/line("ScreenMode:"/line("Screen mode:"/' "a log label misspelt"
mutation 05 src/services/preferences.cpp services 'Preferences.DesignedBytesWrittenReadAndWrittenAgain*' '/writeInt("GameScreen"/d' "the screen kind not saved"
mutation 06 src/services/language_table.cpp services LanguageTable.BucketsAreTheChooserOrder \
  's/bucket\.insert(bucket\.begin(), std::move(fresh));/bucket.push_back(std::move(fresh));/' "the newest language last in its bucket"
mutation 07 src/display/brieflz_decode.cpp display 'BriefLzDecode.Blocks:DataPackCorrupt.ContainersAndEntries' \
  '/if (offset > done) return -1;/d' "a match reaching before the output not refused"
mutation 08 src/platform/real/draw/sprites.cpp platform 'FullScreen.SpritesReplaceOrBlendByTheirAlphaOrTheColourKey*' \
  's/pixels\[i + 3\] = keyed ? 0 : 255;/pixels[i + 3] = 255;/' "the colour key ignored"
mutation 09 src/game/clicks.cpp game ClicksTest.MenuAndQuestions 's/kButtonHeight = 40;/kButtonHeight = 48;/' "buttons 48 pixels high to a click"
mutation 10 src/game/startup.cpp game StartUpTest.LanguageFromThePreferencesOrTheLocaleElseEnglish \
  '/languageInfo\.hasCode(game\.prefs\.languageCode)/s/game\.prefs\.languageCode = "en_GB";/{}/' "no fallback to English"
mutation 11 src/game/frame_drawing.cpp game DrawingTest.WellDoneFadesInOver33FramesThenHolds \
  's/game\.wellDoneFade += 4;/game.wellDoneFade += 8;/' "the well-done banner fading in twice as fast"
mutation 12 src/display/screenshot.cpp game 'MainLoopTest.MTogglesTheMusic*' 's/t\.tm_mday, t\.tm_mon + 1,/t.tm_mon + 1, t.tm_mday,/' "a screenshot named month first"
# The full-screen buttons' latch: the level read ignores a press and release between two polls.
mutation 13 src/platform/real/input/input.cpp platform FullScreen.ButtonsAreLevelsInTheGamesNumberingShortClicksAreLatchedAndTheMouseMovesRelativelyOnTheScreen \
  's/buttonLatched = buttonPressedSincePoll;/buttonLatched.fill(false);/' "a short full-screen click lost"
mutation 14 src/platform/real/input/key_codes.cpp platform KeyCodes.FromKeySymbolsAndOutOfTheTableIgnored \
  's/case XK_KP_Home: case XK_KP_7: return 263;/case XK_KP_Home: case XK_KP_7: return 264;/' "keypad 7 read as keypad 8"
mutation 15 src/services/prefs_syntax.cpp services PrefsSyntax.IntegersAndTextsRead \
  's/while (end > 0 && IsBlank(text\[end - 1\]))/while (end > 0 \&\& text[end - 1] == '"' '"')/' "values keep their trailing tabs"
mutation 16 src/platform/real/window/window_events.cpp platform WindowStateEvents.ChangesAndNewStates \
  's/minimisedChanged = (changedMask & GDK_WINDOW_STATE_ICONIFIED)/minimisedChanged = (newState \& GDK_WINDOW_STATE_ICONIFIED)/' \
  "the minimised flag read without its change mask"
mutation 17 src/game/keyboard_focus.cpp game KeyboardFocusTest.ArrowsMoveInReadingOrderAndReturnClicksTheFocusedItem \
  's/return (value % count + count) % count;/return value < 0 ? 0 : value % count;/' "the focus stops at the left and top edges"
mutation 18 src/game/keyboard_focus.cpp game KeyboardFocusTest.ArrowsMoveInReadingOrderAndReturnClicksTheFocusedItem \
  's/if (key_released(kKeyReturn) || enter) activate();/if (key_released(kKeyReturn)) activate();/' "keypad Enter ignored"
# The copy of a screen drawn alike frame after frame.
mutation 19 src/platform/real/draw/sprite_drawing.cpp platform FullScreen.FramesAlikeUpToTheirLastFullScreenDrawReuseItsPixelsExactly \
  's/draw_rectangle(0, 1, 1, 0, 0, 0, gScreen\.width, gScreen\.height);/draw_rectangle(0, 0, 1, 1, 0, 0, gScreen.width, gScreen.height);/' \
  "the copy drawn upside down"
mutation 20 src/platform/real/draw/sprite_drawing.cpp platform FullScreen.OnlyFramesThatChangeTheScreenAreShown \
  's/DrawCall{id, sprite->textureVersion,/DrawCall{id, 0,/' "a new texture taken for the one the copy holds"
mutation 21 src/platform/real/draw/screen_grab.cpp platform FullScreen.FramesAlikeUpToTheirLastFullScreenDrawReuseItsPixelsExactly \
  '/^void read_back_buffer(/,/^}/{/frame_cache_flush();/d}' "the screen read without the calls held back"
# Return on the banner, a click that only gives the focus back, unchanged frames, GL without
# shaders, large pictures.
mutation 22 src/game/keyboard_focus.cpp game KeyboardFocusTest.ArrowsMoveInReadingOrderAndReturnClicksTheFocusedItem \
  's/if (game\.gameState == WellDone)$/if (game.gameState == WellDone \&\& game.focus.shown != 0)/' \
  "the well-done banner deaf to Return until an arrow"
mutation 23 src/platform/real/input/input.cpp platform ManagedFullScreen.UnderOpenboxNoGrabAndAltTabAndEitherWayTheClickThatGivesTheFocusBackDoesNothingInTheGame \
  's/xButton <= 3 \&\& (counts || !down)/xButton <= 3/' "the click that gives the focus back held as a press"
mutation 24 src/platform/real/screen/gl_context.cpp platform FullScreen.OnlyFramesThatChangeTheScreenAreShown \
  's/if (!changed || glContext == nullptr) {/if (glContext == nullptr) {/' \
  "every frame shown, changed or not"
mutation 25 src/platform/real/draw/sprite_drawing.cpp platform FullScreen.WithoutShadersBlendsGiveTheShadersPixels \
  '/glColor4f(opacity, opacity, opacity, opacity);/d' "the opacity lost without shaders"
mutation 26 src/platform/real/pictures/png_codec.cpp platform PngCodec.EveryFormatComesOutAsEightBitRgbaAndBadDataIsRefused \
  's/png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);/png_set_user_limits(png, 8192, 8192);/' \
  "pictures wider than 8192 refused"
# Music with large tags or in links, pictures that ask for more than their rows give.
mutation 27 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Tags*' 's/    bytes = {data, size};/    bytes = {data, size, 0, sinceSound};/' "header pages counted as bytes without sound"
mutation 28 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Tags*' 's/return ov_pcm_seek(/return first_.open(data_ + bounds_[0], bounds_[1] - bounds_[0], true, \&sinceSound_) \&\& ov_pcm_seek(/' "a loop reading the headers again"
mutation 29 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Tags*' 's/if (linkIndex_ + 2 == bounds_.size()) return false;/return false;/' "a chained link not played"
mutation 30 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Tags*' 's/++linksWithoutSound_ > kMaxLinksWithoutSound || //' "links without a sample never stopped"
mutation 31 src/platform/real/sound/sound_mixer.cpp platform OggStream.TagsOfAnySizeAndChainedLinksPlayInOrderAndLoopFromTheFirstLink \
  's/ || channel\.stream->damaged()//' "a damaged stream looped"
mutation 32 src/platform/real/pictures/png_codec.cpp platform PngCodec.EveryFormatComesOutAsEightBitRgbaAndBadDataIsRefused \
  's/outputBytes <= maxFilteredBytes ||/true ||/' "a one-bit picture's RGBA allocated before its rows are checked"
# Saved files: the player's links and locks, a failed screenshot, names of one second.
mutation 33 src/services/file_bytes.cpp services 'PreferencesSave.*' 's/= FollowLinks(path);/= path;/' "a linked preferences file replaced by a plain one"
mutation 34 src/services/file_bytes.cpp services 'PreferencesSave.*' 's/ || (info\.st_mode \& 0222) == 0 || access(target\.c_str(), W_OK) != 0//' "a read-only preferences file overwritten"
mutation 35 src/services/file_bytes.cpp services 'PreferencesSave.*' 's/exists ? RewriteInPlace(target, bytes) : 0;/0;/' "no rewrite in place where the directory is locked"
mutation 36 src/platform/real/pictures/png_codec.cpp platform PngCodec.AWriteThatFailsAtAnyStepLeavesNoFile \
  '/if (!flushed || !closed) {/,/}/{/std::remove(path);/d}' "a PNG cut off at its close left behind"
mutation 37 src/services/new_file.cpp services 'NewFile.*:Log.*' 's/ | O_EXCL//' "a log or screenshot of the same second written over the older one"
mutation 38 src/display/screenshot.cpp game 'MainLoopTest.Screenshots*' '/if (!saved) RemoveNewFile(name, fd);/d' "the name a failed screenshot claimed left"
# Frames shown in part.
mutation 39 src/platform/real/draw/frame_changes.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/add(Rect{left, top, right - left, bottom - top});/add(Rect{left, top, right - left - 1, bottom - top});/' \
  "a changed rectangle one pixel short"
mutation 40 src/platform/real/draw/frame_changes.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/if (b < beforeCount) changes\.add(before\[b++\]);/if (b < beforeCount) b++;/' "the old place not redrawn"
# Saves at exit read back from the game's own bytes, and a write of the preferences that fails.
mutation 41 src/game/window_events.cpp e2e e2e_test_window_kinds \
  's/case EventCloseRequest: game\.quitRequested = 1; break;/case EventCloseRequest: if (game.prefs.screenKind == ScreenBorderless) std::exit(0); game.quitRequested = 1; break;/' \
  "the borderless window's close ending the game at once, unsaved"
mutation 42 src/game/main_loop.cpp e2e e2e_autoplay_kind1 '/^  savePreferences();$/d' "no preferences saved at the end of a whole game"
mutation 43 src/services/file_bytes.cpp e2e e2e_test_faults 's/if (!written || !closed || /if (!closed || /' "a failed write of the preferences renamed over the old file"
# Deals shuffled and seeded per run, the pace, key codes out of range, decoding ahead, frames, centring.
mutation 44 src/game/board.cpp game BoardTest.DealsHoldEveryFaceTwiceShuffledPerSeedAndAlternateTheSets '/for (int i = 0; i < 3; ++i) shuffleCells();/d' "deals not shuffled"
mutation 45 src/game/startup.cpp game StartUpTest.CompletePackOpensLoadsRendersStartsTheMusicAndSeedsTheDealsAndPlaysOnWithoutSound '/SeedRandomFromClock();/d' "every run dealing the same boards"
mutation 46 src/platform/real/screen/screen_state.cpp platform FullScreen.FrameRateLimitPacesFlipsAt60FramesASecondAndOffDoesNot \
  's/1000 \/ fps/2000 \/ fps/' "the frames paced at half the rate"
mutation 47 src/platform/real/input/input.cpp platform KeyCodes.FromKeySymbolsAndOutOfTheTableIgnored \
  's/if (code >= 0 \&\& code < kKeyCount) {/{/' "key codes out of range written past the key table"
mutation 48 src/platform/real/pictures/picture_ahead.cpp platform FullScreen.PicturesDecodedAheadTakenInAnyOrderOrNeverLoadAsPlainOnes \
  's/found->size == size/found->size != size/' "pictures decoded ahead never found"
mutation 49 src/platform/real/pictures/picture_ahead.cpp platform FullScreen.PicturesDecodedAheadTakenInAnyOrderOrNeverLoadAsPlainOnes \
  's/waitingBytes + bytes > kWaitingBudget/false/' "no budget for the pictures decoded ahead"
mutation 50 src/platform/real/draw/frame_cache.cpp platform FullScreen.OnlyFramesThatChangeTheScreenAreShown \
  's/count == cache\.previous\.count \&\& cache\.alike == count/count <= cache.previous.count \&\& cache.alike == count/' \
  "the menu left up when the frame after it draws less"
mutation 51 src/platform/real/draw/frame_cache.cpp platform FullScreen.OnlyFramesThatChangeTheScreenAreShown \
  's/copy_calls(cache\.current, cache\.current\.count, cache\.previous);/copy_calls(cache.current, std::min(cache.current.count, 400), cache.previous);/' \
  "the frame on screen held without its calls past 400"
mutation 52 src/platform/real/window/window_events.cpp platform WindowKind.AStillWindowIsShownAgainOnceUncoveredAndAMoveIsNoResize \
  '/^gboolean on_draw/,/^}/{/screen_damaged();/d}' "an uncovered window's picture not shown again"
mutation 53 src/game/frame_drawing.cpp game DrawingTest.LogoTitleAndTheMenuOverTheBoard \
  's/(game\.screenWidth - w(s)) \/ 2/(game.screenWidth - w(s) + 1) \/ 2/' "menu entries centred half a pixel right"
# Players' set-ups: layouts of other alphabets, sizes beyond X and GL, a crash after the log's
# lines, two monitors without video modes.
mutation 54 src/platform/real/window/window_events.cpp platform WindowKind.BorderlessHasNoDecorationsItsPointerClicksAndMovesAreEventsAndLettersReadAsInTheLatinLayout \
  's/(0), group,/(0), event->group,/' "the window kinds read the active layout only"
mutation 55 src/platform/real/fullscreen/fullscreen_events.cpp platform FullScreen.HeldKeysAreReleasedOnceAfterGoingUpOrLosingTheFocusTapsAreNotAndLettersReadAsInTheLatinLayout \
  's/XkbBuildCoreState(0, group)/XkbBuildCoreState(0, 0)/' "full screen reads the first layout only"
mutation 56 src/platform/real/input/key_codes.cpp platform 'FullScreen.HeldKeys*:WindowKind.Borderless*' \
  's/return key_code_from_keysym(symbol, numLockOn);/break;/' "no Latin letter taken from another layout"
mutation 57 src/platform/real/screen/display_connection.cpp platform WindowKind.OpensHiddenThenShowsCentredWithAFixedSizeClosingDestroysItAndSizesBeyondXOrGlAreRefused \
  's/ width <= kMaxXWindowSide \/ scale &&//' "a window wider than X allows opened"
mutation 58 src/platform/real/screen/gl_context.cpp platform WindowKind.OpensHiddenThenShowsCentredWithAFixedSizeClosingDestroysItAndSizesBeyondXOrGlAreRefused \
  's/ || !gl_can_show(width \* scale, height \* scale)//' "a screen larger than GL can show opened"
mutation 59 src/services/log.cpp services Log.EachLineInTheFileAtOnceOnlyWhenEnabledBesideALogOfTheSameSecondAndAFullDiskSwitchesItOff \
  's/const std::string line = text + .\\n.;/static std::string line; line += text + "\\n"; if (line.size() < 4096) return;/' \
  "log lines held in a buffer a crash loses"
mutation 60 src/platform/real/fullscreen/video_modes.cpp platform FullScreen.FullScreenCoversTheDesktopOrItsFirstMonitorAndOpensOnlyAtTheirSizes \
  's/(width == monitorWidth \&\& height == monitorHeight)/false/' "without video modes only the whole screen's size opens"
# Full screen under a window manager: the focus, the grabs, another size.
mutation 61 src/platform/real/fullscreen/fullscreen_events.cpp platform ManagedFullScreen.UnderOpenboxNoGrabAndAltTabAndEitherWayTheClickThatGivesTheFocusBackDoesNothingInTheGame \
  's/if (gFullscreen.activeSince != 0 \&\& /if (false \&\& /' "a press the window manager lets through after the focus counted"
mutation 62 src/platform/real/fullscreen/screen_fullscreen.cpp platform ManagedFullScreen.UnderOpenboxNoGrabAndAltTabAndEitherWayTheClickThatGivesTheFocusBackDoesNothingInTheGame \
  's/if (display == nullptr || gFullscreen.managed) {/if (display == nullptr) {/; s/^    managed_fullscreen_enter(.*);$/\0 fullscreen_grab_input();/' \
  "the managed window grabbing the keyboard and pointer"
mutation 63 src/platform/real/fullscreen/fullscreen_managed.cpp platform ManagedFullScreen.AWindowManagerKeepsWindowsFullScreenOnlyThroughALiveCheckWindowListingIt \
  's/ || property_items(display, check\[0\], "_NET_SUPPORTING_WM_CHECK", XA_WINDOW) != check//' \
  "a check window believed without naming itself"
mutation 64 src/platform/real/fullscreen/fullscreen_events.cpp platform ManagedFullScreen.AWindowStillWithoutTheFocus3SecondsAfterMappingAsksAgain \
  '/^void ask_again_for_missing_focus/,/^}/{/fullscreen_ask_for_focus();/d}' "the missing focus never asked for again"
mutation 65 src/platform/real/screen/screen_fit.cpp platform ManagedFullScreen.ASizeChangedHalfWayThroughAFrameShowsTheRightPictureFromTheNextFrameOn \
  's/fit.top = (height - fit.height) \/ 2;/fit.top = 0;/' "the fitted picture at the window's top"
mutation 66 src/platform/real/fullscreen/fullscreen_events.cpp platform ManagedFullScreen.ASizeChangedHalfWayThroughAFrameShowsTheRightPictureFromTheNextFrameOn \
  's/x \/ scale + carryX;/x + carryX;/' "the pointer's movement not scaled to the fitted picture"
mutation 67 src/platform/real/input/key_codes.cpp platform KeyCodes.ALetterOutsideLatinIsReadAsTheLatinLetterOfAnotherGroup \
  's/code >= 0 || latin_letter(symbols\[activeGroup\]) || /code >= 0 || /' "a Latin layout's ö read as another layout's m"
mutation 68 src/platform/real/draw/frame_cache.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/ change) \&\&$/ change)) {/; /^      cache.backShowsPrevious) {$/d' "a part of a frame drawn over the buffer a swap left"
mutation 69 src/platform/real/draw/top_layer.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/return (t + (t >> 8) + 128) >> 8;/return (t + (t >> 8)) >> 8;/' "the pointer laid over the pixels under it rounded down"
mutation 70 src/platform/real/draw/top_layer.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  '/^      read_squares(s);$/d' "the pixels under the pointer not read again after they changed"
mutation 71 src/platform/real/draw/frame_cache.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/draw_part(under, now\.count - 1);/draw_part(under, now.count);/' "the pointer drawn into the back buffer under the one laid over it"
mutation 72 src/platform/real/draw/top_layer.cpp platform FullScreen.APointerComposedOnTheCpuBlendsAsGlDoesAtEveryOpacityOverEveryColour \
  's/return (t + (t >> 8) + 128) >> 8;/return (t + 128 + ((t + 128) >> 8)) >> 8;/' "the pointer laid over the pixels under it rounded to the nearest, unlike llvmpipe"
mutation 73 src/platform/real/screen/part_put.cpp platform FullScreen.APointerComposedOnTheCpuBlendsAsGlDoesAtEveryOpacityOverEveryColour \
  's/      !renderer_is_llvmpipe()) {/      false) {/' "the pointer composed on the CPU for softpipe, which blends with other rounding"
mutation 74 src/platform/real/draw/top_layer.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/ || left == right) continue;/) continue;/' "the pointer's texels looked up outside it for a part of the frame it misses"
# What players' systems have or lack: no sound device, their locale, a hand-edited window size, the
# command line, no HOME, the small icons.
mutation 160 src/game/startup.cpp game StartUpTest.CompletePackOpensLoadsRendersStartsTheMusicAndSeedsTheDealsAndPlaysOnWithoutSound \
  's/game\.soundDevice = sound_init() != 0;/if (!sound_init()) return false;/' "no sound device stops the game again"
mutation 161 src/game/startup.cpp game StartUpTest.CompletePackOpensLoadsRendersStartsTheMusicAndSeedsTheDealsAndPlaysOnWithoutSound \
  's/if (game\.soundDevice && !LoadMusic(/if (!LoadMusic(/' "the music loaded without a sound device, and its failure fatal"
mutation 162 src/services/paths.cpp services Paths.UserDirectoryFromHomeAndPrivateDirectoriesCreated 's/ && home\[0\] != .\\0.//' "an empty HOME taken for the home directory"
mutation 163 src/services/paths.cpp services Paths.UserDirectoryFromHomeAndPrivateDirectoriesCreated \
  's/ : passwordHome();/ : std::string();/' "HOME unset makes the per-user directory relative"
mutation 164 src/game/command_line.cpp game CommandLine.TheFirstDecisiveParameterDecides 's/parameter == "-h" || //' "-h not taken for --help"
mutation 165 src/platform/real/screen/display_connection.cpp e2e e2e_test_command_line \
  '/gtk_parse_args(/d' "GTK's options (--display) left among the game's own, refused as unknown"
mutation 166 src/services/locale_language.cpp services LocaleLanguage.TheFirstShippedLanguageTheLocaleAsksFor \
  's/if (meansNoLanguage(locale)) return {};/if (meansNoLanguage(locale) \&\& environment("LANGUAGE").empty()) return {};/' \
  "LANGUAGE read under the C locale, unlike gettext"
mutation 167 src/services/locale_language.cpp services LocaleLanguage.TheFirstShippedLanguageTheLocaleAsksFor \
  's/{"LC_ALL", "LC_MESSAGES", "LANG"}/{"LC_MESSAGES", "LC_ALL", "LANG"}/' "LC_MESSAGES over LC_ALL"
mutation 168 src/services/locale_language.cpp services LocaleLanguage.TheFirstShippedLanguageTheLocaleAsksFor \
  '/if (code\.empty()) code = first(/d' "de_AT not found as German: the language alone never tried"
mutation 169 src/game/startup.cpp game 'StartUpTest.LanguageFromThePreferencesOrTheLocaleElseEnglish:StartUpTest.LogHeaderAndStartUpLines' \
  's/if (byLocale) game\.prefs\.languageCode = /if (byLocale) (void)/' "the locale's language taken only when shipped exactly"
mutation 170 src/services/locale_language.cpp services LocaleLanguage.TheFirstShippedLanguageTheLocaleAsksFor \
  's/if (meansNoLanguage(entry)) break;/if (meansNoLanguage(entry)) continue;/' "a C inside LANGUAGE skipped instead of ending the list"
mutation 171 src/display/screen_setup.cpp game StartUpTest.ScreenKindsAndModes \
  's/const size_t x1 = modeText\.find_first_of("xX");/const size_t x1 = modeText.find("x");/' "ScreenMode 1024X768 not read"
mutation 172 src/display/screen_setup.cpp game StartUpTest.ScreenKindsAndModes 's/size_t i = field\.find_first_not_of(" \\t");/size_t i = 0;/' "ScreenMode 1024 x 768 not read"
mutation 173 src/display/screen_setup.cpp game StartUpTest.ScreenKindsAndModes \
  's/(largest == 0 || (\*width <= largest && \*height <= largest))/true/' "a window longer than X or GL can show still asked for"
mutation 180 src/display/screen_setup.cpp game StartUpTest.ScreenKindsAndModes \
  's/ && \*width <= 4 \* \*height//' "a window sixteen thousand pixels long and sixteen high asked for"
mutation 174 src/display/screen_setup.cpp game StartUpTest.ScreenKindsAndModes '/  \*modeText = fallback;/d' "the unusable size kept and saved again"
mutation 175 src/platform/real/screen/screen_limits.cpp platform WindowKind.OpensHiddenThenShowsCentredWithAFixedSizeClosingDestroysItAndSizesBeyondXOrGlAreRefused \
  's/largest = std::min({kMaxXWindowSide, width, height});/largest = kMaxXWindowSide;/' "GL's limit not asked"
mutation 176 src/game/command_line.cpp game CommandLine.TheFirstDecisiveParameterDecides \
  's/} else if (strcasecmp(parameter\.c_str(), "\/LOG") != 0) {/} else if (parameter.starts_with("-")) {/' \
  "a file name on the command line taken for nothing"
mutation 177 src/game/command_line.cpp game 'CommandLine.*' 's/      return 2;/      return 1;/' "an unknown option ends with status 1"
mutation 178 src/game/command_line.cpp game 'CommandLine.*' \
  's/std::fputs(UsageText(saveDir)\.c_str(), stderr);/std::fputs(UsageText(saveDir).c_str(), stdout);/' \
  "the usage after a wrong parameter on standard output"
mutation 179 tools/assets/artwork/interface.cpp assets Icon.TheSmallSizesAreDrawnForTheirSize \
  's/if (icon\.pixels == pixels) return paintSmallIcon(icon);/(void)icon;/' "the small icons the large design drawn small"

# Letters in layouts of every script without Latin letters; the music through libvorbisfile, each side heard.
mutation 140 src/platform/real/input/key_codes.cpp platform 'KeyCodes.*:*LettersReadAsInTheLatinLayout' 's/{0x2000, 0x2bff}/{0x2000, 0xffff}/' "Tifinagh, Coptic and Javanese letters taken for symbols"
mutation 141 src/platform/real/input/key_codes.cpp platform 'KeyCodes.ALetter*' 's/{0x1e00, 0x1eff}/{0x1e00, 0x1fff}/' "Greek letters with marks taken for Latin ones"
mutation 142 src/platform/real/input/key_codes.cpp platform 'KeyCodes.ALetter*' 's/, {0xfe00, 0xffff}};/};/' "a dead key read as another layout's letter"
mutation 143 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Each*' 's/{to_sample(pcm\[0\]\[i\]), to_sample(pcm\[last\]\[i\])/{to_sample(pcm[last][i]), to_sample(pcm[0][i])/' "a stereo stream's sides swapped"
mutation 144 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Each*' 's/const int last = info.channels - 1;/const int last = 0;/' "a stereo stream's right side taken from its left"
mutation 145 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Each*' 's/between(current_.right, next_.right)/between(current_.left, next_.left)/' "the right side converted from the left"
mutation 146 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Each*' 's/, info.rate};/, kOutputRate};/' "every link played as if at 44,100 Hz"
mutation 147 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Each*' 's/value \* 32768.f/value * 16384.f/' "the music at half its level"
mutation 148 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Loops*' 's/if (link.starved() || itemSize == 0)/if (itemSize == 0)/' "packets that decode to nothing never stopped"
mutation 149 src/platform/real/sound/ogg_stream.cpp platform 'OggStream.Tags*' 's/if (begins \&\& !lastBegins) bounds.push_back(at);/if (begins \&\& bounds.empty()) bounds.push_back(at);/' "chained links read as one, a hole where the serial repeats"
# The full-screen window resized half-way through a frame.
mutation 150 src/platform/real/screen/screen_fit.cpp platform ManagedFullScreen.ASizeChangedHalfWayThroughAFrameShowsTheRightPictureFromTheNextFrameOn \
  's/  if (showsAgain > 0) {/  if (showsAgain > 0 \&\& framebuffer != 0) {/' "the frame after a resize back to the screen's size not shown again"
mutation 151 src/platform/real/draw/frame_cache.cpp platform ManagedFullScreen.ASizeChangedHalfWayThroughAFrameShowsTheRightPictureFromTheNextFrameOn \
  's/ \&\& !cache.drawnPartLost \&\&$/ \&\&/' "the screen kept as a copy after the calls before it were lost"
# Partial frames at the screen's edges and on a visual of 10 bits a colour.
mutation 152 src/platform/real/draw/frame_changes.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/call.shownWidth, gScreen.width);/call.shownWidth, gScreen.width - 1);/' "a part reaching the right edge shown without the last column"
mutation 153 src/platform/real/draw/frame_changes.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/call.shownHeight, gScreen.height);/call.shownHeight, gScreen.height - 1);/' "a part reaching the bottom edge shown without the last row"
mutation 154 src/platform/real/draw/top_layer.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/kSquare, gScreen.width);/kSquare, gScreen.width - 1);/' "the last column under the pointer never read back"
mutation 155 src/platform/real/draw/top_layer.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/kSquare, gScreen.height);/kSquare, gScreen.height - 1);/' "the last row under the pointer never read back"
mutation 156 src/platform/real/draw/frame_cache.cpp platform FullScreen.FramesShowOnlyWhatChangedAndHoldTheWholeFramesPixels \
  's/redBits > 8 ? GL_RGBA16 : GL_RGBA8;/GL_RGBA8;/' "the copy of alike frames kept in 8 bits a colour on a deep visual"
# The managed full screen given the focus back; the mode shown when another program switched it.
mutation 157 src/platform/real/fullscreen/fullscreen_events.cpp platform ManagedFullScreen.UnderOpenbox* \
  '/gFullscreen.pointerLeft = true;/d' "where the player left the pointer read as the game's pointer moving"
mutation 158 src/platform/real/fullscreen/video_modes.cpp platform-xorg VideoModes.FullScreenSwitchesToTheRequestedModeAndCloseShutdownExitSignalOrCrashRestoreTheModeShown \
  's/(shown\.hdisplay != width || shown\.vdisplay != height)/(modes[0]->hdisplay != width || modes[0]->vdisplay != height)/; s/switched\.original = shown;/switched.original = *modes[0]; switched.original.privsize = 0;/' \
  "the first mode of the server's list taken for the one shown"
# What the desktop asks of the game: close requests and the session's end, the music back with the
# full screen, what the windows tell the desktop, the screensaver held.
mutation 100 src/game/main_loop.cpp game MainLoopTest.QuitOrTheDesktopEndsTheLoopSavingAndFadingPlayingMusicOnlyAndALostDisplayStillSaves \
  '/if (platform_quit_requested()) game.quitRequested = 1;/d' "the desktop's quit request not read by the main loop"
mutation 101 src/platform/real/session/app_identity.cpp platform 'Session.TheFullScreenWindow*' \
  '/protocol == atom(display, "WM_DELETE_WINDOW")/,/return true;/{/session_request_quit();/d}' "the full screen's close request ignored"
mutation 103 src/platform/real/session/quit_request.cpp e2e e2e_test_desktop_requests 's/    signalledQuit = signal;/    signalledQuit = 0;/' "a session's signal ignored"
mutation 104 src/platform/real/session/quit_request.cpp e2e e2e_test_desktop_requests '/^    lastWords();$/d' "a lost display ends the game without its last words"
mutation 105 src/platform/real/fullscreen/fullscreen_events.cpp e2e e2e_test_desktop_requests \
  '/gFullscreen.destroyed = true;/{n;/screen_window_gone();/d}' "GL kept on a full-screen window destroyed under the game"
mutation 106 src/game/main_loop.cpp game MainLoopTest.RightButtonTheInactiveScreenAndNoPointerInAWindow \
  '/if (game.prefs.screenKind == ScreenFull) ResumeMusic();/d' "full screen back from another window without its music"
mutation 107 src/platform/real/session/app_identity.cpp platform 'Session.TheFullScreenWindow*' \
  's/const long pid = getpid();/const long pid = getppid();/' "the full-screen window names another process"
mutation 108 src/platform/real/screen/screen_state.cpp platform 'Session.TheFullScreenWindow*' \
  '/^    session_startup_complete();$/d' "the launcher never told that the game is up"
mutation 109 src/platform/real/session/app_identity.cpp platform 'Session.EveryWindowKind*' \
  's/for (size_t i = 0; i < kWindowIconCount; ++i) {/for (size_t i = 0; i < 1; ++i) {/' "the icon at one size only"
mutation 110 src/platform/real/session/screensaver_hold.cpp platform 'Session.TheDesktopsScreensaverIsHeld*' \
  's/  } else if (!hold \&\& bus.inhibited) {/  } else if (false) {/' "the desktop's screensaver never let go"
mutation 111 src/platform/real/session/screensaver_hold.cpp e2e e2e_test_desktop_requests \
  's/XScreenSaverSuspend(display, hold ? True : False);/XScreenSaverSuspend(display, False);/' "the X server's saver never held off"
mutation 112 src/platform/real/screen/screen_state.cpp e2e e2e_test_desktop_requests \
  's/session_hold_screensaver(gScreen.active);/session_hold_screensaver(true);/' "the screensaver held off while the game is minimised"
# Any window size: one fit of the picture to the window for every kind, and the work area.
mutation 120 src/platform/real/screen/screen_fit.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  's/std::floor((x - shown\.left) \/ shown\.scale)/std::floor(x \/ shown.scale)/' "the pointer mapped to the picture without its black margin"
mutation 121 src/platform/real/screen/screen_fit.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  's/std::floor((y - shown\.top) \/ shown\.scale)/std::floor(y - shown.top)/' "the pointer's height not scaled to the picture"
mutation 122 src/platform/real/window/window_events.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  '/g_signal_connect(area, "size-allocate"/d' "a resized window's picture left unfitted"
mutation 123 src/platform/real/window/work_area.cpp platform WindowKind.AWindowLargerThanTheWorkAreaOpensAtTheLargestSizeOfItsShapeThatFitsThereWithItsFrame \
  's/gdk_monitor_get_workarea(monitor, &area);/gdk_monitor_get_geometry(monitor, \&area);/' "the panels' place taken for the window"
mutation 124 src/platform/real/window/work_area.cpp platform WindowKind.AWindowLargerThanTheWorkAreaOpensAtTheLargestSizeOfItsShapeThatFitsThereWithItsFrame \
  's/const int roomHeight = area\.height - frame\.top - frame\.bottom;/const int roomHeight = area.height;/' "the title bar left out of the window's height"
mutation 125 src/platform/real/window/screen_window.cpp platform WindowKind.AWindowLargerThanTheWorkAreaOpensAtTheLargestSizeOfItsShapeThatFitsThereWithItsFrame \
  '/window_size_within_work_area(toplevel, &width, &height);/d' "a window larger than the desktop opened as asked"
# The desktop's scale: the game in its own pixels, drawn at the screen's.
mutation 126 src/platform/real/text/text_drawing.cpp platform ScaledDesktop.WhatTheGameMakesHoldsTwiceThePixelsASideMeasuredInGamePixels \
  '/cairo_scale(cairo, target->density, target->density);/d' "words drawn at their scale-1 size into a canvas of twice the pixels"
mutation 127 src/platform/real/pictures/images.cpp platform ScaledDesktop.WhatTheGameMakesHoldsTwiceThePixelsASideMeasuredInGamePixels \
  '/^int image_resize/,/^}/s/const int density = gameImageDensity;/const int density = 1;/' "pictures resized to the game's pixels, losing their detail"
mutation 128 src/platform/real/draw/sprites.cpp platform ScaledDesktop.WhatTheGameMakesHoldsTwiceThePixelsASideMeasuredInGamePixels \
  's/const int density = pictures_density();/const int density = 1;/' "the game's own sprites made at one pixel a game pixel"
mutation 129 src/platform/real/draw/sprite_drawing.cpp platform ScaledDesktop.FullScreenLaysOutAtHalfTheDesktopAndShowsItsPixelsAtTheScreens \
  's/const float density = static_cast<float>(sprite->image.density);/const float density = 1;/' "a sprite of two pixels a game pixel drawn from the wrong part of its texture"
mutation 130 src/platform/real/screen/gl_context.cpp platform ScaledDesktop.FullScreenLaysOutAtHalfTheDesktopAndShowsItsPixelsAtTheScreens \
  's/glViewport(0, 0, width \* scale, height \* scale);/glViewport(0, 0, width, height);/' "the game drawn into a quarter of the screen"
mutation 131 src/platform/real/fullscreen/screen_fullscreen.cpp platform ScaledDesktop.FullScreenLaysOutAtHalfTheDesktopAndShowsItsPixelsAtTheScreens \
  's/  int screenWidth = width \* scale;/  int screenWidth = width;/' "full screen opened at the game's size, not the screen's"
mutation 132 src/platform/real/draw/frame_cache.cpp platform ScaledDesktop.FullScreenLaysOutAtHalfTheDesktopAndShowsItsPixelsAtTheScreens \
  's/glScissor(rect\.x \* scale, (gScreen\.height - rect\.y - rect\.height) \* scale, rect\.width \* scale, rect\.height \* scale);/glScissor(rect.x, gScreen.height - rect.y - rect.height, rect.width, rect.height);/' \
  "the changed parts of a frame drawn in game pixels on a screen of twice as many"
mutation 133 src/platform/real/screen/gl_context.cpp platform ScaledDesktop.FullScreenLaysOutAtHalfTheDesktopAndShowsItsPixelsAtTheScreens \
  's/copySubBuffer(glDisplay, glDrawable, rect\.x \* scale,/copySubBuffer(glDisplay, glDrawable, rect.x,/' "the changed parts shown at their game pixels' place"
mutation 134 src/platform/real/draw/screen_grab.cpp platform ScaledDesktop.FullScreenLaysOutAtHalfTheDesktopAndShowsItsPixelsAtTheScreens \
  's/  const int scale = gScreen\.scale;/  const int scale = 1;/' "a screenshot of the game's pixels, not the screen's"
mutation 135 src/platform/real/draw/frame_cache.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  's/  const int width = gScreen\.width \* gScreen\.scale;/  const int width = gScreen.width;/' "the kept copy of the screen a half of its width"
mutation 136 src/platform/real/window/screen_window.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  's/gl_window_to_game(areaX \* scale, areaY \* scale, x, y);/gl_window_to_game(areaX, areaY, x, y);/' "the window's pointer read in the desktop's scaled pixels"
mutation 137 src/platform/real/window/window_events.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  's/gl_fit_to_window(allocation->width \* scale, allocation->height \* scale);/gl_fit_to_window(allocation->width, allocation->height);/' \
  "a resized window's picture fitted to its size in the desktop's scaled pixels"
mutation 138 src/platform/real/screen/screen_fit.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  '/^bool draw_off_screen/,/^}/{s/format, gScreen\.width \* gScreen\.scale,$/format, gScreen.width,/; s/gScreen\.height \* gScreen\.scale, 0,/gScreen.height, 0,/}' "the fitted picture drawn off-screen at the game's pixels"
mutation 139 src/platform/real/screen/display_connection.cpp e2e e2e_test_window_sizes \
  's/std::max(gdk_monitor_get_scale_factor(monitor), 1)/1/' "the desktop's scale not followed"
# Faults found by attacking the game from the outside.
mutation 190 src/platform/real/session/quit_request.cpp platform Session.SignalsAskTheGameToEndTheSameOneAgainEndsIt \
  's/if (signalledQuit == signal) {/if (signalledQuit != 0) {/' "logind's SIGHUP after its SIGTERM ends the game unsaved"
mutation 191 src/platform/real/window/screen_window.cpp platform WindowKind.AWindowLargerThanTheWorkAreaOpensAtTheLargestSizeOfItsShapeThatFitsThereWithItsFrame \
  's/  if (style == WindowStyleWindowed) {/  if (true) {/' "the borderless window shrunk inside the panels"
mutation 192 src/platform/real/message_box.cpp e2e e2e_test_command_line \
  's/gdk_get_display_arg_name() != nullptr ? gdk_get_display_arg_name() : //' "the display --display names not the one the message names"
mutation 193 src/platform/real/screen/screen_limits.cpp platform WindowKind.OpensHiddenThenShowsCentredWithAFixedSizeClosingDestroysItAndSizesBeyondXOrGlAreRefused \
  's|  return largest / display_scale();|  return largest;|' "a window size too long at 200 % taken and the screen failing to open"

# A desktop too small for its scale, the desktop's own setting of it, a window larger than openbox's work area.
mutation 181 src/platform/layout_density.h game ScreenMode.FullScreenOnAScaledDesktopLaysOutAt1280x720OrMore \
  's/std::min({scale, desktopWidth \/ 1280, desktopHeight \/ 720})/scale/' "full screen at 200 % on 1920x1080 laid out at 960x540, the menu cut off"
mutation 182 src/platform/real/screen/desktop.cpp platform 'FullScreen.FullScreenCovers*' \
  '/^void snap_to_x_screen/,/^}/s/\*width = screenWidth;/*width = *width;/' "the desktop's pixels taken from its size at 300 %, rounded down"
mutation 183 src/platform/real/draw/sprite_drawing.cpp platform 'FullScreen.FullScreenCovers*' \
  '/pictures_set_density(gScreen.scale);/d' "pictures made at the desktop's scale on a full screen of a lower density"
mutation 184 src/platform/real/screen/display_connection.cpp e2e e2e_test_window_sizes \
  's/std::max(gdk_monitor_get_scale_factor(monitor), 1)/std::max(std::atoi(getenv("GDK_SCALE") ? getenv("GDK_SCALE") : "1"), 1)/' \
  "the scale read from GDK_SCALE alone, the desktop's Gdk/WindowScalingFactor ignored"
mutation 185 src/platform/real/window/work_area.cpp e2e e2e_test_window_sizes \
  's/if (roomWidth <= 0 || roomHeight <= 0 ||/if (true ||/' "a window larger than openbox's work area opened as asked"
# A window's frame drawn where it changed only, into the picture kept off-screen.
mutation 186 src/platform/real/draw/frame_cache.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  's/gl_shows_parts() ? cache.backShowsPrevious : gl_fitted();/gl_shows_parts() \&\& cache.backShowsPrevious;/' "a window's frames drawn whole however little changed"
mutation 187 src/platform/real/screen/screen_fit.cpp platform WindowKind.AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale \
  's/(gScreen.kind != ScreenKind::InWindow || gScreen.scale == 1)/true/' "a window at its own size drawn straight into its back buffer, whole at every frame"
# What the windows tell the desktop, a window wider than the work area, letters under a layout of another
# script, the borderless size, the version's stream.
mutation 194 src/platform/real/session/app_identity.cpp platform 'Session.EveryWindowKind*' \
  's/p\[0\] << 16 | p\[1\] << 8 | p\[2\]/p[2] << 16 | p[1] << 8 | p[0]/' "the icon's red and blue swapped"
mutation 195 src/platform/real/session/app_identity.cpp platform 'Session.EveryWindowKind*' \
  's/static_cast<unsigned long>(p\[3\]) << 24 | /0xff000000ul | /' "the icon's alpha taken for opaque"
mutation 196 src/platform/real/session/app_identity.cpp platform 'Session.EveryWindowKind*' \
  's/XClassHint classHint{instance, className};/XClassHint classHint{className, instance};/' "the full screen's class before its instance"
mutation 197 src/platform/real/window/work_area.cpp platform 'WorkArea.*' \
  's/std::min(double(roomWidth) \/ \*width, double(roomHeight) \/ \*height)/double(roomHeight) \/ *height/' \
  "a window wider than the work area's shape fitted by its height alone"
mutation 198 src/platform/real/input/key_codes.cpp platform 'KeyCodes.*:FullScreen.HeldKeys*:WindowKind.Borderless*' \
  's/if (activeWritesLatin \&\& (/if ((/' "a layout of another script's comma taken where the Latin layout has M"
mutation 199 src/platform/real/input/key_codes.cpp platform 'FullScreen.HeldKeys*:WindowKind.Borderless*' \
  's/if (latin_letter(symbols(keycode, group))) return true;/return true;/' "every layout taken for a Latin one"
mutation 202 src/platform/real/input/key_codes.cpp platform 'FullScreen.HeldKeys*:WindowKind.Borderless*' \
  's/if (latin_letter(symbols(keycode, group))) return true;/(void)symbols;/' "every layout taken for one of another script: AZERTY's comma read as the US M"
mutation 200 src/display/screen_setup.cpp game StartUpTest.ScreenKindsAndModes \
  's/if (kind != ScreenWindowed) return;/if (kind == ScreenFull) return;/' "the borderless window sized by ScreenMode"
mutation 201 src/game/command_line.cpp game 'CommandLine.*' \
  's/std::fputs("Vesperine " VESPERINE_VERSION "\\n", stdout);/std::fputs("Vesperine " VESPERINE_VERSION "\\n", stderr);/' \
  "--version on standard error"
# What the tests need, installed on a fresh machine.
mutation 203 scripts/install-deps.sh script programs_installed 's/ i3-wm//' "i3, which a desktop test runs, not installed"

# The sound effects: each at its moment, their switch and its working copy, the seventh line of the
# preferences, decoded whole at start-up, a missing one logged, soft and dark, told apart by ear.
mutation 401 src/game/board.cpp game SoundEffectsTest.EachEffectAtItsMomentOnlyWhileSwitchedOn \
  's/cue(game.selCount == 0 ? kSoundCardTurned1 : kSoundCardTurned2);/cue(kSoundCardTurned1);/' "both cards of a turn sound the first card's take"
mutation 402 src/game/board.cpp game SoundEffectsTest.EachEffectAtItsMomentOnlyWhileSwitchedOn \
  's/if (first.state != Vanishing) cue(kSoundPairFound);//' "a pair found without its chime"
mutation 403 src/game/board.cpp game SoundEffectsTest.EachEffectAtItsMomentOnlyWhileSwitchedOn '/cue(kSoundWrongPair);/d' "a wrong pair turning back silently"
mutation 404 src/game/board.cpp game SoundEffectsTest.EachEffectAtItsMomentOnlyWhileSwitchedOn \
  's/cue(kSoundWellDone);/cue(kSoundPairFound);/' "the cleared board's banner with a chime for its phrase"
mutation 405 src/display/effect_sounds.cpp game SoundEffectsTest.EachEffectAtItsMomentOnlyWhileSwitchedOn 's/if (soundsOn != 0) //' "the effects' switch ignored"
mutation 406 src/display/effect_sounds.cpp game 'StartUpTest.CompletePack*' 's/!sound_load_ogg_decoded(/!sound_load_ogg(/' "the effects decoded while they play"
mutation 407 src/display/effect_sounds.cpp game 'StartUpTest.CompletePack*' 's/return "MISSING";/return "UNUSABLE";/' "a missing effect called unusable"
mutation 408 src/game/clicks.cpp game SoundEffectsTest.SwitchOnTheSettingsWithItsWorkingCopy \
  '/^void enterSettings/,/^}/{/game.setSounds = game.prefs.soundsOn;/d}' "the settings opened on the last visit's sounds switch"
mutation 409 src/game/clicks.cpp game SoundEffectsTest.SwitchOnTheSettingsWithItsWorkingCopy \
  '/ItemCancel, kButtonHeight/,/gameState = Menu/{/game.setSounds = game.prefs.soundsOn;/d}' "CANCEL keeps the sounds switch changed"
mutation 410 src/game/apply_settings.cpp game SoundEffectsTest.SwitchOnTheSettingsWithItsWorkingCopy '/game.prefs.soundsOn = game.setSounds;/d' "OK applies no sounds switch"
mutation 411 src/services/preferences.cpp services 'Preferences.*' 's/if (prefs.soundsOn == 0) document.writeInt("Sounds", 0);/document.writeInt("Sounds", prefs.soundsOn);/' \
  "a seventh line also while the sounds are on"
mutation 412 src/services/preferences.cpp services Preferences.SoundsSwitchIsASeventhLineOnlyWhileOff 's/readInt("Sounds", 1)/readInt("Sounds", 0)/' "preferences without the line read as sounds off"
mutation 413 src/game/text_sprites.cpp game 'TextSpritesTest.*:SoundEffectsTest.*' 's/left + 269, top + 310, 20/left + 269, top + 350, 20/' "the sounds box clickable a row lower"
mutation 414 src/game/frame_drawing.cpp game DrawingTest.QuestionsAndSettings 's/left + 274, top + 315/left + 274, top + 355/' "the sounds box drawn a row lower"
mutation 415 src/platform/real/sound/sound_device.cpp platform Sound.ShortSoundsDecodedWholeAtLoadingPlayWithoutTheirBlockTwoAtATime \
  's/: ogg_decode_whole(data, size, &loaded.pcm);/: (loaded.stream = ogg_stream_open(static_cast<const uint8_t*>(data), size)) != nullptr;/' \
  "a short sound decoded while it plays, from a block that may be gone"
mutation 416 src/platform/real/sound/sound_decode.cpp platform Sound.ShortSoundsDecodedWholeAtLoadingPlayWithoutTheirBlockTwoAtATime \
  's/return !stream->damaged() && !pcm->empty();/return !pcm->empty();/' "a damaged short sound loaded up to its damage"
mutation 417 src/platform/real/sound/sound_decode.cpp platform Sound.ShortSoundsDecodedWholeAtLoadingPlayWithoutTheirBlockTwoAtATime \
  '/if (pcm->size() + got > kMaxWholePcmBytes) return false;/d' "a sound of any length decoded whole"
mutation 418 tools/assets/music/game_sounds.cpp assets EffectFiles.ShortSoftDarkSilentAtTheirEndsAndNeverClippingOverTheMusic \
  '/^  soften(mix\.\(left\|right\));/d' "the effects' top partials not rounded off"
mutation 419 tools/assets/music/game_sounds.cpp assets EffectFiles.ShortSoftDarkSilentAtTheirEndsAndNeverClippingOverTheMusic \
  's/const double gain = left >= fade ? 1.0 :/const double gain = true ? 1.0 :/' "the effects cut off at their end"
mutation 420 tools/assets/music/game_sounds.cpp e2e e2e_test_sound_effects \
  '/^LoopBuffer wrongPair/,/^}/{s/57\.0/81.0/;s/53\.0/77.0/;s/41\.0/65.0/}' "a wrong pair's sound as high as the found pair's chime"
# Desktops with panels and i3: the borderless window in full screen, room for an untold frame, the
# full-screen pointer away and back, and drawn for the screen's density.
mutation 300 src/platform/real/window/screen_window.cpp e2e e2e_test_panels \
  '/gtk_window_fullscreen(gtkWindow);/d' "the borderless window not asked into full screen: below a top panel, its bottom off the screen"
mutation 301 src/platform/real/window/screen_window.cpp e2e e2e_test_panels \
  's/const int density = desktop_density(0);/const int density = display_scale();/' "the borderless window at 200 % on 1920x1080 twice the desktop's size"
mutation 302 src/platform/real/window/work_area.cpp e2e e2e_test_panels \
  's/kUntoldFrame{4, 4, 40, 4}/kUntoldFrame{0, 0, 0, 0}/' "no room for the frame i3 tells nothing of: its title bar off the screen"
mutation 303 src/game/main_loop.cpp game MainLoopTest.RightButtonTheInactiveScreenAndNoPointerInAWindow \
  '/if (game.pointerDrawn) DrawFrame();/d' "full screen away keeps the game's pointer on the screen"
mutation 304 src/game/main_loop.cpp e2e e2e_test_panels \
  '/if (game.pointerDrawn) DrawFrame();/d' "full screen away keeps the game's pointer on the screen (under mutter)"
mutation 305 src/platform/real/fullscreen/fullscreen_events.cpp platform ManagedFullScreen.UnderOpenboxNoGrabAndAltTabAndEitherWayTheClickThatGivesTheFocusBackDoesNothingInTheGame \
  's/if (gFullscreen.pointerByPosition || gFullscreen.pointerLeft) {/if (gFullscreen.pointerByPosition) {/' \
  "full screen back from another window with the game's pointer where it was left"
mutation 306 src/platform/real/pictures/pointer_density.cpp e2e e2e_test_panels \
  's/if (density < 2 ||/if (true ||/' "the 32-pixel pointer magnified at 200 %"
# The screen kind from inside the game.
mutation 500 src/game/text_sprites.cpp game 'TextSpritesTest.ItemsFollow*' 's/left + 269, top + 350, 20/left + 269, top + 351, 20/' "the screen kind's left arrow a pixel low to a click"
mutation 501 src/game/frame_drawing.cpp game DrawingTest.QuestionsAndSettings 's/game\.setScreenKind == 2)/game.setScreenKind == 1)/' "the right screen-kind arrow greyed at the window"
mutation 502 src/game/clicks.cpp game 'ClicksTest.ScreenKind*' 's/kind < 0 || kind > 2/kind < 0 || kind > 3/' "the screen kind stepped past the borderless window"
mutation 503 src/game/clicks.cpp game 'ClicksTest.ScreenKind*' '/^    game\.setScreenKind = game\.prefs\.screenKind;$/d' "CANCEL keeping the screen kind stepped to"
mutation 504 src/game/screen_switch.cpp game 'ScreenSwitchTest.OkOpens*' '/^  restoreFaces(faces);$/d' "the board's cards left on the sprites of the closed screen"
mutation 505 src/game/screen_switch.cpp game 'ScreenSwitchTest.F11*' 's/? game\.windowKind : ScreenFull/? ScreenWindowed : ScreenFull/' "F11 back to a framed window from a borderless one"
mutation 506 src/game/main_loop.cpp game 'ScreenSwitchTest.F11*' 's/(alt \&\& key_released(kKeyReturn))/key_released(kKeyReturn)/' "Return without Alt switching full screen"
mutation 507 src/game/window_layout.cpp game 'ScreenSwitchTest.TheWindow*' 's/now - game\.windowSeenSinceMs < kWindowSettleMs/false/' "the window laid out anew before its size settled"
mutation 508 src/game/window_layout.cpp game 'ScreenSwitchTest.TheWindow*' '/if (resized) game\.prefs\.screenModeText/d' "the window's settled size not kept for the save"
mutation 509 src/game/window_layout.cpp game 'ScreenSwitchTest.NothingChanged*' 's/const bool cramped = .*/const bool cramped = false;/' "a window too small for the menu panel left laid out at its size"
mutation 510 src/game/window_layout.cpp game 'ScreenSwitchTest.TheWindow*' 's/ceilDiv(width \* ph, height)/width * ph \/ height/' "the game size below the panel rounded down, too narrow for it"
mutation 511 src/game/screen_switch.cpp game 'ScreenSwitchTest.AKind*' '/opened = openAt(oldKind, 0, 0, pictures);/d' "a kind that does not open ending the game instead of going back"
mutation 512 src/game/main_loop.cpp game 'ScreenSwitchTest.AKind*' '/if (game\.endedByError != 0) return;/d' "preferences saved after the fatal box of a switch"
mutation 513 src/platform/real/window/screen_window.cpp e2e e2e_test_screen_switch \
  's/gtk_window_set_resizable(gtkWindow, style == WindowStyleWindowed);/gtk_window_set_resizable(gtkWindow, FALSE);/' "the window's size fixed, refused by openbox"
mutation 514 src/platform/real/window/screen_window.cpp platform 'WindowKind.Opens*' \
  's/std::min(width, kWindowMinWidth), std::min(height, kWindowMinHeight)/width, height/' "the window never smaller than it opened"
mutation 515 src/platform/real/window/screen_window.cpp e2e e2e_test_desktop_requests \
  's/if (window\.configured \&\& /if (/; s/= window\.lastFrame\.width;/= gtk_widget_get_allocated_width(window.toplevel);/; s/= window\.lastFrame\.height;/= gtk_widget_get_allocated_height(window.toplevel);/' \
  "the window's size read from GTK's allocation, 200x200 just after it is shown: laid out and saved"
mutation 516 src/game/window_layout.cpp game 'ScreenSwitchTest.TheWindow*' 's/if (resized \&\& placed)/if (resized)/' \
  "the work area's size the window manager gave at opening saved as the player's"

scratch=$(mktemp -d /tmp/vesperine-mutations-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
copy=$scratch/tree build=$scratch/build
mkdir -p "$copy"
tar -C "$tree" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$copy" -xf -
log=$scratch/out.log

# Builds PROGRAM's test program and runs FILTER's tests; the status is the tests'.
run_tests() {
  local program=$1 filter=$2
  if [ "$program" = e2e ] || [ "$program" = script ]; then
    [ "$program" = script ] || cmake --build "$build" -j"$jobs" --target vesperine data_pack language_pack vesperine-look \
      vesperine-pack vesperine-dock-panel >"$log" 2>&1 || return 2
    (cd "$build" && ctest -R "^$filter\$" --no-tests=error --output-on-failure) >"$log" 2>&1
    return
  fi
  cmake --build "$build" -j"$jobs" --target "vesperine_${program%-xorg}_tests" >"$log" 2>&1 || return 2
  local runner=() tests=$build/tests/vesperine_${program%-xorg}_tests
  case $program in
    platform) runner=(bash "$copy/tests/platform/run-with-x.sh") ;;
    platform-xorg) runner=(bash "$copy/tests/platform/run-with-x.sh" --xorg-dummy) ;;
    assets) tests=$build/tools/assets/vesperine_assets_tests ;;
  esac
  # The scaled desktop's tests run on a screen of 2560x1440, as ctest runs them.
  [[ $filter != ScaledDesktop* ]] || runner+=(--screen 2560x1440x24)
  (cd "$build" && "${runner[@]}" "$tests" --gtest_filter="$filter") >"$log" 2>&1
}

echo "== configuring the scratch build in $scratch"
cmake -S "$copy" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$log" 2>&1 || { cat "$log"; exit 2; }

missed=0
# A mutation not caught: WHY and its line, then the end of the log when asked (log).
miss() { echo "$1 $line"; [ "${2:-}" != log ] || tail -20 "$log"; missed=$((missed + 1)); }
for i in "${!ids[@]}"; do
  [ "$only" = "  " ] || [[ "$only" == *" ${ids[$i]} "* ]] || continue
  file=$copy/${files[$i]} line="${ids[$i]} ${whats[$i]} (${programs[$i]}: ${filters[$i]})"
  # The tests pass on the tree as it is, or their failing says nothing.
  run_tests "${programs[$i]}" "${filters[$i]}" || { miss "FAILS UNMUTATED" log; continue; }
  cp "$file" "$scratch/original"
  sed -i -e "${seds[$i]}" "$file"
  cmp -s "$file" "$scratch/original" && { miss "NO MATCH (the sed found nothing in ${files[$i]})"; continue; }
  run_tests "${programs[$i]}" "${filters[$i]}"
  status=$?
  cp "$scratch/original" "$file"   # a new time stamp: the next build compiles it again
  case $status in
    0) miss "MISSED   " ;;
    2) miss "NO BUILD " log ;;
    *) echo "caught    $line" ;;
  esac
done
echo "== $missed of the mutations not caught"
[ "$missed" -eq 0 ]
