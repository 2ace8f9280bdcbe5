#pragma once
// How a parameter hint finds the call around the caret and the parameter the caret is in.
//
// The styler's parameter lists describe calls, one entry each, written as the calls are
// declared: the name, HintCharStart, the parameters, HintCharEnd ("Copy(s: string; index,
// count: integer)"). A parameter ends at HintCharDelimiter or at HintCharWriteDelimiter, so a
// group of names sharing a type ("index, count: integer") counts one parameter per name;
// either character inside a nested HintCharStart ... HintCharEnd belongs to the parameter. An
// entry without HintCharStart describes no call; spaces around names and parameters do not
// count.
//
// In the text, calls are written with HintCharStart, the arguments separated by
// HintCharWriteDelimiter, and HintCharEnd. The caret line is read from its start to the caret
// (a call spanning lines is not followed): each HintCharStart opens a call, HintCharEnd closes
// the innermost open one, and HintCharWriteDelimiter moves the innermost open call to its next
// argument. Nothing inside the styler's bracketed literals (its quotes) counts. Of the calls
// still open at the caret, the innermost one whose name has an entry is the call: the name is
// the word of letters, digits and "_" (and bytes above 127) just before its HintCharStart,
// spaces between allowed, compared in the editor's letter case rule. So in
// "WriteLn(Copy(s, 1|" the call is Copy at its second parameter, and in "WriteLn((a + b|" the
// parenthesis without a name is passed over for WriteLn.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "memo/Styler.h"

/// A call found around the caret.
struct THintCall {
    int Entry = 0;     // its index in the styler's parameter lists
    int Parameter = 0; // the argument the caret is in, from 0
    int Open = 0;      // the column of its HintCharStart
};

/// The columns [start, end) of each parameter of `entry`, spaces around it left out; none for
/// an entry without HintCharStart or with nothing between its brackets.
std::vector<std::pair<int, int>> HintParameterSpans(std::string_view entry,
                                                    const THintParameter& hint);

/// The call that `column` of `line` stands in, or none. `literals` pairs the opening and
/// closing characters of the styler's bracketed literals.
std::optional<THintCall> FindHintCall(std::string_view line, int column, const THintParameter& hint,
                                      const std::vector<std::pair<char, char>>& literals,
                                      bool caseSensitive);
