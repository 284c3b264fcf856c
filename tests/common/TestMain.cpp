// Entry point of every suite: a crash ends the process with a failure code instead of passing.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/App.h"

namespace {
LONG WINAPI FailOnCrash(EXCEPTION_POINTERS* info) {
    ::TerminateProcess(::GetCurrentProcess(), info ? info->ExceptionRecord->ExceptionCode : 3);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::SetUnhandledExceptionFilter(FailOnCrash);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    scw::SetAppInstance(::GetModuleHandleW(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
