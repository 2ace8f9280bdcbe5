#pragma once
// Handing a document or a link to the desktop.

#include <string>

/// Opens `url` with the desktop's handler for it (a browser, a mail program), with no shell in
/// between; false when no handler took it.
bool ShellOpen(const std::string& url);
