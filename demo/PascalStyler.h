#pragma once
// A styler for a small Pascal-like language: keywords, built-in types, strings in single
// quotes, numbers with a $ hex prefix, symbols, { } and (* *) block comments and // line
// comments, and begin ... end as the block words.

#include <memory>

#include "memo/Styler.h"

std::unique_ptr<TAdvCustomMemoStyler> MakePascalStyler();
