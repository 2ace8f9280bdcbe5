#pragma once
// The system clipboard, plain text only. Text goes out and comes in as UTF-8; bytes of a list
// are turned into UTF-8 through the text codec (TextCodec.h) before they get here.

#include <string>
#include <string_view>

/// Puts `utf8` on the clipboard as plain text.
void SetClipboardText(std::string_view utf8);
/// The clipboard's plain text as UTF-8; empty when it holds none.
std::string ClipboardText();
/// True when the clipboard holds plain text (possibly empty).
bool ClipboardHasText();
