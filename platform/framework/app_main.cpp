// The program's entry point: hands control to the application object's start routine.
#include <windows.h>

#include "platform/framework/win_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return framework::RunApplication(instance); }
