// dyadlist: compares two lists of text lines in a window.

#include "app/MainForm.h"
#include "platform/Forms.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    application.SetTitle("Dyadlist");
    TForm1 form;
    form.Show();
    application.Run();
    return 0;
}
