// ZoCefRender: the program that the embedded browser starts for all of its subprocesses.
#include "ZoCefOtherApp.h"
#include "ZoCefRendererApp.h"

#include "render/ZoCefProcessType.h"

#include "include/base/cef_logging.h"
#include "include/cef_app.h"
#include "include/cef_command_line.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdio>
#endif

using ZoCefRender::ZoCefProcessType;

static void debugOutput(const char *text)
{
#if defined(_WIN32)
    ::OutputDebugStringA(text);
#else
    std::fputs(text, stderr);
#endif
}

static int run(const CefMainArgs &mainArgs, CefRefPtr<CefCommandLine> commandLine)
{
    const ZoCefProcessType::Type type
        = ZoCefProcessType::classify(commandLine->HasSwitch(ZoCefProcessType::kTypeSwitch),
                                     commandLine->GetSwitchValue(ZoCefProcessType::kTypeSwitch));
    CefRefPtr<CefApp> app;
    if (type == ZoCefProcessType::Renderer) {
        LOG(INFO) << "-->>renderer";
        app = new ZoCefRender::ZoCefRendererApp();
    } else {
        debugOutput("-->>other");
        app = new ZoCefRender::ZoCefOtherApp();
    }
    return CefExecuteProcess(mainArgs, app, nullptr);
}

#if defined(_WIN32)
int APIENTRY wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    if (logging::GetMinLogLevel() <= logging::LOGGING_INFO)
        LOG(INFO) << "ZoCefRender is launching....";
    CefEnableHighDPISupport();
    CefMainArgs mainArgs(hInstance);
    CefRefPtr<CefCommandLine> commandLine = CefCommandLine::CreateCommandLine();
    commandLine->InitFromString(::GetCommandLineW());
    return run(mainArgs, commandLine);
}
#else
int main(int argc, char *argv[])
{
    if (logging::GetMinLogLevel() <= logging::LOGGING_INFO)
        LOG(INFO) << "ZoCefRender is launching....";
    CefMainArgs mainArgs(argc, argv);
    CefRefPtr<CefCommandLine> commandLine = CefCommandLine::CreateCommandLine();
    commandLine->InitFromArgv(argc, argv);
    return run(mainArgs, commandLine);
}
#endif
