#pragma once
// The system clipboard. Other programs get and give plain UTF-8 text. Dyadlist's own editors
// and panes also put the exact bytes there, in a format of their own beside the text, and
// take those back, so a line that is not UTF-8 (a Windows-1252 "café") comes back byte for
// byte instead of as the UTF-8 its display shows.

#include <string>
#include <string_view>

/// Puts `utf8` on the clipboard as plain text (what another program would give).
void SetClipboardText(std::string_view utf8);
/// The clipboard's plain text as UTF-8; empty when it holds none.
std::string ClipboardText();
/// True when the clipboard holds plain text (possibly empty).
bool ClipboardHasText();

/// Puts list bytes (lines joined by CR LF) on the clipboard: their display text (TextCodec.h,
/// lines joined by LF) for other programs, and the bytes themselves for Dyadlist.
void SetClipboardBytes(std::string_view bytes);
/// What a paste inserts: the exact bytes when Dyadlist put them there, else the plain text.
std::string ClipboardBytes();
