#include "WinApp.h"

#include "CodePage.h"
#include "FrameWnd.h"
#include "FrameworkIds.h"
#include "Resources.h"
#include "View.h"

#include <shellapi.h>

#include <vector>

namespace {

// The application object registers itself on construction: the framework
// needs it before anything else exists, as the program's static object.
CWinApp* theApp = nullptr;

} // namespace

const MessageEntry CWinApp::messageEntries[] = {
    msgmap::Command<&CWinApp::OnAppExit>(ID_APP_EXIT),
};
const MessageMap CWinApp::messageMap = MakeMessageMap(&CCmdTarget::messageMap, messageEntries);

CWinApp::CWinApp(const char* name) : appName(name != nullptr ? name : "")
{
    theApp = this;
}

CWinApp::~CWinApp()
{
    if (theApp == this)
        theApp = nullptr;
}

CWinApp* CWinApp::Get()
{
    return theApp;
}

void CWinApp::InitApplication()
{
    if (appName.empty())
        appName = LoadResString(AFX_IDS_APP_TITLE);
}

bool CWinApp::InitInstance()
{
    return true;
}

int CWinApp::ExitInstance()
{
    return 0;
}

bool CWinApp::OnIdle(LONG count)
{
    if (count <= 0 && mainWnd != nullptr && mainWnd->GetSafeHwnd() != nullptr)
        mainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    return count < 1;
}

bool CWinApp::PreTranslateMessage(MSG* message)
{
    // Offer the message to the window it is for and each of its parents;
    // the frame translates accelerators before any control sees the key.
    for (HWND window = message->hwnd; window != nullptr; window = GetParent(window)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(window);
            wnd != nullptr && wnd->PreTranslateMessage(message))
            return true;
        if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return false;
}

bool CWinApp::IsIdleMessage(const MSG& message)
{
    // Mouse moves that do not move and the caret's blink do not end an idle period.
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
        if (message.pt.x == lastMousePosition.x && message.pt.y == lastMousePosition.y)
            return false;
        lastMousePosition = message.pt;
        return true;
    }
    return message.message != WM_PAINT && message.message != 0x0118; // WM_SYSTIMER
}

// The loop takes messages in UTF-16 and hands them on so: an ANSI loop turns a
// typed character that the keyboard's code page lacks into "?" or a
// look-alike before any control sees it, whatever the process code page.
int CWinApp::Run()
{
    MSG message{};
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            int got = GetMessageW(&message, nullptr, 0, 0);
            if (got <= 0)
                return got == 0 ? ExitInstance() : -1;
            if (!PreTranslateMessage(&message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (IsIdleMessage(message)) {
                idle = true;
                idleCount = 0;
            }
        } while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
    }
}

bool CWinApp::PumpPendingMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return false;
        if (!PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    LONG idleCount = 0;
    while (OnIdle(idleCount++)) {
    }
    return true;
}

void CWinApp::SetRegistryKey(const char* key)
{
    registryKey = key != nullptr ? key : "";
}

void CWinApp::LoadStdProfileSettings(UINT) {}

std::string CWinApp::GetProfileKeyPath(const char* section) const
{
    return "Software\\" + registryKey + "\\" + appName + "\\" + section;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    HKEY key = nullptr;
    if (registryKey.empty() || RegCreateKeyExA(HKEY_CURRENT_USER, GetProfileKeyPath(section).c_str(), 0,
                                               nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                               nullptr, &key, nullptr) != ERROR_SUCCESS)
        return static_cast<UINT>(defaultValue);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    LONG status = RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    // Only a whole 32-bit number counts; a string or a short value is not one.
    if (status != ERROR_SUCCESS || size != sizeof value || (type != REG_DWORD && type != REG_BINARY))
        return static_cast<UINT>(defaultValue);
    return value;
}

bool CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    HKEY key = nullptr;
    if (registryKey.empty() ||
        RegCreateKeyExA(HKEY_CURRENT_USER, GetProfileKeyPath(section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    DWORD data = static_cast<DWORD>(value);
    LONG status = RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> newTemplate)
{
    docTemplate = std::move(newTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return;
    for (int i = 1; i < count; ++i) {
        const wchar_t* argument = arguments[i];
        if (argument[0] == L'/' || argument[0] == L'-')
            continue; // no switches of our own
        info.fileName = MarkedInCodePage(argument);
        info.shellCommand = CCommandLineInfo::ShellCommand::FileOpen;
        break;
    }
    LocalFree(arguments);
}

bool CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    if (docTemplate == nullptr)
        return false;
    const std::string path =
        info.shellCommand == CCommandLineInfo::ShellCommand::FileOpen ? info.fileName : std::string();
    return docTemplate->OpenDocumentFile(path, showCommand) != nullptr;
}

void CWinApp::OnFileNew()
{
    // One document for the whole run: New at start-up is the only creation.
    if (docTemplate != nullptr && docTemplate->GetDocument() == nullptr)
        docTemplate->OpenDocumentFile({}, showCommand);
}

void CWinApp::OnFileOpen() {}

void CWinApp::OnAppExit()
{
    if (mainWnd != nullptr)
        mainWnd->SendMessage(WM_CLOSE);
}

int AfxMessageBox(const std::string& text, UINT type)
{
    CWinApp* app = CWinApp::Get();
    HWND owner = app != nullptr && app->mainWnd != nullptr ? app->mainWnd->GetSafeHwnd() : nullptr;
    std::string caption = app != nullptr ? app->GetAppName() : std::string();
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    return AfxMessageBox(LoadResString(stringId), type);
}

int AfxWinMain(HINSTANCE, LPSTR, int showCommand)
{
    CWinApp* app = CWinApp::Get();
    if (app == nullptr)
        return -1;
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    app->InitApplication();
    app->SetShowCommand(showCommand);
    if (!app->InitInstance()) {
        app->ExitInstance();
        return 0;
    }
    return app->Run();
}
