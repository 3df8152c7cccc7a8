// Zorvane: the window. Creates the application and the main window, runs the
// message loop until the main window closes, and ends with its exit code.
#include "app/tapplication.h"
#include "ui/form.h"

int main(int argc, char** argv)
{
    zorvane::app::TApplication application(argc, argv);
    zorvane::ui::TMainForm form;
    form.show();
    return application.exec();
}
