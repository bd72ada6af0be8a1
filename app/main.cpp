#include "app/TrawlApp.h"

// The one application object, constructed before the entry code runs.
static CTrawlApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    theApp.endProcessOnClose = true;
    return AfxWinMain(instance, commandLine, showCommand);
}
