// Entry point of Tallimex.exe.
#include "console/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return runApplication(instance);
}
