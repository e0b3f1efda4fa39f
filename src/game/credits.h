// The fixed, untranslated lines of the credits panel and the window title.
#pragma once

inline constexpr const char* kGameVersionLine = "Vesperine 1.0.0.1";
inline constexpr const char* kDesignerName = "The Vesperine team";
inline constexpr const char* kRightsNotice = "\xC2\xA9 2026 Orvandel Ltd.";
inline constexpr const char* kStudioName = "Quenmarsh";
inline constexpr const char* kCompanyName = "Orvandel Ltd.";
// The studio has no site of its own yet: the address stays in the reserved example domain.
inline constexpr const char* kStudioWebAddress = "www.quenmarsh.example";
inline constexpr const char* kPointerCredit = "Drawn in code by the Vesperine artwork generator";
inline constexpr const char* kMusicCredit = "Synthesised in code by the Vesperine music generator";
inline constexpr const char* kGraphicsCredit = "Drawn in code by the Vesperine artwork generator";
inline constexpr const char* kWindowTitle = "Vesperine 1.0.0.1 - Orvandel (www.quenmarsh.example)";
