// dyadlist: compares two lists of text lines in a window.

#include "app/MainForm.h"
#include "drawing/AdvGDIP.h"
#include "platform/Forms.h"

int main(int argc, char** argv) {
    // The graphics layer outlives the window and the application object.
    const TGdiplusSession graphics;
    TApplication application(argc, argv);
    application.SetTitle("Dyadlist");
    TForm1 form;
    form.Show();
    application.Run();
    return 0;
}
