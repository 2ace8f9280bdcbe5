// dyadlist-memo-demo [FILE]: one list editor filling a window, painting a small Pascal-like
// language by its styler, with URL awareness, a marker and folding. Without FILE it shows a sample.
// Ctrl+Space opens the completion list of the styler's entries (and so does a typed "."
// after its delay); Ctrl+Shift+Space, or a pause inside a call, shows the call's parameters.

#include <string>

#include "demo/PascalStyler.h"
#include "drawing/AdvGDIP.h"
#include "memo/AdvMemo.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"
#include "platform/SysUtils.h"

namespace {

const char* const kSample =
    "program Demo; // see https://example.org/pascal for the language\r\n"
    "{ a comment that runs\r\n"
    "  over two lines }\r\n"
    "var\r\n"
    "  count: integer;\r\n"
    "  name: string;\r\n"
    "{$REGION 'helpers'}\r\n"
    "procedure Twice(var x: integer);\r\n"
    "begin\r\n"
    "  x := x * 2;\r\n"
    "end;\r\n"
    "{$ENDREGION}\r\n"
    "begin\r\n"
    "  count := $1F + 2.5;\r\n"
    "  name := 'it''s a string';\r\n"
    "  if count > 10 then\r\n"
    "  begin\r\n"
    "    count := count - 1;\r\n"
    "    WriteLn(Copy(name, 1, count));\r\n"
    "  end;\r\n"
    "end.\r\n";

} // namespace

int main(int argc, char** argv) {
    const TGdiplusSession graphics;
    TApplication application(argc, argv);
    application.SetTitle("Dyadlist memo demo");
    TForm form;
    form.SetCaption("Dyadlist memo demo");
    form.SetBounds(100, 100, 720, 480);
    TAdvMemo memo(&form);
    memo.SetAlign(TAlign::alClient);
    const auto styler = MakePascalStyler();
    memo.SetSyntaxStyles(styler.get());
    memo.SetBlockLineColor(clRed);
    memo.CodeFolding().SetEnabled(true); // the fold column's boxes open and close regions
    try {
        if (argc > 1)
            memo.Lines().LoadFromFile(argv[1]);
        else
            memo.Lines().SetText(kSample);
    } catch (const Exception& error) {
        memo.Lines().SetText(std::string("// ") + error.what());
    }
    // A marker on the program's body: a red dot in the gutter.
    TImageList images(16, 16);
    TBitmap dot(16, 16);
    dot.Canvas().Brush().Color = clWhite;
    dot.Canvas().FillRect(Rect(0, 0, 16, 16));
    dot.Canvas().Brush().Color = clRed;
    dot.Canvas().Pen().Color = 0x000080; // maroon
    dot.Canvas().Ellipse(Rect(2, 2, 12, 12));
    images.Add(dot);
    memo.MarkerList().SetMarkerImageList(&images);
    memo.MarkerList().AddMarker(12, 0, "the program's body");
    memo.Kept().AutoCompletion.ShowImages = true;
    form.Show();
    application.Run();
    return 0;
}
