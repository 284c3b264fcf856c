#include <windows.h>

#include "app/LumeApp.h"
#include "framework/Dpi.h"
#include "framework/StartupTrace.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    scw::StartupMark("process entered");
    scw::EnableDpiAwareness();
    scw::CLumeApp app;
    return app.Run(instance);
}
