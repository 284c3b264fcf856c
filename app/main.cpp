#include <windows.h>

#include "app/LumeApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    scw::CLumeApp app;
    return app.Run(instance);
}
