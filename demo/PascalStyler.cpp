#include "demo/PascalStyler.h"

std::unique_ptr<TAdvCustomMemoStyler> MakePascalStyler() {
    auto styler = std::make_unique<TAdvCustomMemoStyler>();
    TElementStyle& keywords = styler->Elements.Add();
    keywords.Info = "keywords";
    keywords.KeyWords = {"and",   "array",   "begin", "case",  "const",     "div",   "do",
                         "downto", "else",   "end",   "for",   "function",  "if",    "in",
                         "mod",   "not",     "of",    "or",    "procedure", "program", "record",
                         "repeat", "then",   "to",    "type",  "until",     "var",   "while"};
    keywords.Font.SetColor(0x800000); // navy
    keywords.Font.SetStyle(TFontStyles{TFontStyle::fsBold});
    TElementStyle& types = styler->Elements.Add();
    types.Info = "types";
    types.KeyWords = {"boolean", "char", "integer", "real", "string"};
    types.Font.SetColor(0x808000); // teal
    TElementStyle& strings = styler->Elements.Add();
    strings.Info = "strings";
    strings.StyleType = TStyleType::stBracket;
    strings.BracketStart = strings.BracketEnd = '\'';
    strings.Font.SetColor(0x0000C0); // dark red
    TElementStyle& symbols = styler->Elements.Add();
    symbols.Info = "symbols";
    symbols.StyleType = TStyleType::stSymbol;
    symbols.Symbols = "();:=+-*/<>[],.^";
    symbols.Font.SetColor(0x008000); // green
    styler->LineCommentMarker = "//";
    styler->CommentOpenMarker = "{";
    styler->CommentCloseMarker = "}";
    styler->CommentColors = {0x808080, clNone, TFontStyles{TFontStyle::fsItalic}};
    styler->NumberColors = {0xC00000, clNone, {}};
    styler->HexPrefix = "$";
    styler->BlockOpenWord = "begin";
    styler->BlockCloseWord = "end";
    // Folding and completion read these.
    for (const char* routine : {"procedure", "function"}) {
        TRegionDefinition& region = styler->RegionDefinitions.emplace_back();
        region.SetIdentifier(routine);
        region.SetRegionStart("begin");
        region.SetRegionEnd("end");
    }
    // A plain block folds too; a {$REGION caption} .. {$ENDREGION} pair folds to its caption.
    TRegionDefinition& blocks = styler->RegionDefinitions.emplace_back();
    blocks.SetRegionStart("begin");
    blocks.SetRegionEnd("end");
    TRegionDefinition& named = styler->RegionDefinitions.emplace_back();
    named.SetRegionStart("$region");
    named.SetRegionEnd("$endregion");
    named.ShowComments = true;
    styler->HintParameter.Parameters = {"WriteLn(text: string)",
                                        "Copy(s: string; index, count: integer): string",
                                        "Inc(var x: integer; by: integer)"};
    // Completion entries: kind word, space, text; the kind picks the colour and image.
    styler->AutoCompletion = {{"procedure WriteLn(text: string)", 6},
                              {"function Copy(s; index; count): string", 5},
                              {"procedure Inc(var x: integer)", 6},
                              {"var count : integer", 1},
                              {"var name : string", 1},
                              {"property Length : integer", 2},
                              {"event OnChange", 3},
                              {"method Clear()", 4}};
    return styler;
}
