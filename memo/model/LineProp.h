#pragma once
// The per-line record of a list editor: marks, flags, highlighter state. Lines the store adds
// carry one; LineRecords keeps them with their lines. A line's fold state is not kept here
// but answered by the editor's fold regions (FoldRegions.h), so that a region over a million
// lines costs no record per line.

#include <cstdint>
#include <vector>

#include "platform/Types.h"

struct TLineProp {
    TObject* UserObject = nullptr;         // what GetObject/PutObject show users for this line
    std::vector<std::int32_t> MarkStarts;  // start columns of marked ranges (wavy underlines)
    std::vector<std::int32_t> MarkLengths; // length of each marked range
    bool Breakpoint = false;
    bool PointMark = false;
    bool Modified = false;   // set by editing, cleared with the modified state
    std::int32_t Spare = -1; // kept for an add-on that wants a number per line
    bool FlagMark = false;
    std::int32_t ScanState[3] = {0, 0, 0}; // highlighter state at the start of the line
    bool ScanStateValid = false;
    bool WrappedContinuation = false; // a continuation row produced by word wrap
};
