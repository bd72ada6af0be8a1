#pragma once

#include "CmdTarget.h"
#include "DocTemplate.h"

#include <memory>
#include <string>

class CWnd;

// What the command line asks for: a new document, or a file to open.
class CCommandLineInfo {
public:
    enum class ShellCommand { FileNew, FileOpen };
    ShellCommand shellCommand = ShellCommand::FileNew;
    std::string fileName;
};

// The application: start-up, the message loop with idle processing and
// accelerators, the settings store and the document template.
class CWinApp : public CCmdTarget {
public:
    // appName empty: the name comes from the string table (AFX_IDS_APP_TITLE).
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // The one application object of the process.
    static CWinApp* Get();

    // Takes the application name from the string table when none was given.
    void InitApplication();
    virtual bool InitInstance();
    virtual int ExitInstance();
    // Called whenever the queue is empty: count is 0 on the first call of an
    // idle period. The base updates the frame's user-interface items then
    // and asks for more calls only while count is below 1.
    virtual bool OnIdle(LONG count);
    virtual bool PreTranslateMessage(MSG* message);

    // The message loop; returns the exit code.
    virtual int Run();
    // Dispatches every pending message, then runs the idle calls of the
    // period that follows: what the loop does between two waits. False when
    // it met the quit message (which it takes off the queue).
    bool PumpPendingMessages();

    void SetRegistryKey(const char* key);
    void LoadStdProfileSettings(UINT recentFiles = 4);
    // HKEY_CURRENT_USER\Software\<key>\<app>\<section>; opened anew each call.
    // The default comes back unless the value holds 4 readable bytes.
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    bool WriteProfileInt(const char* section, const char* entry, int value);
    std::string GetProfileKeyPath(const char* section) const;

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return docTemplate.get(); }
    void ParseCommandLine(CCommandLineInfo& info);
    bool ProcessShellCommand(CCommandLineInfo& info);
    void Enable3dControlsStatic() {}

    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    const std::string& GetAppName() const { return appName; }
    void SetShowCommand(int show) { showCommand = show; }

    CWnd* mainWnd = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    bool IsIdleMessage(const MSG& message);

    std::string appName;
    std::string registryKey;
    std::unique_ptr<CSingleDocTemplate> docTemplate;
    int showCommand = SW_SHOWNORMAL;
    POINT lastMousePosition{-1, -1};
};

// Runs the application object: names it, initialises it and runs its loop.
int AfxWinMain(HINSTANCE instance, LPSTR commandLine, int showCommand);
// Shows a message box owned by the main window, captioned with the application's name.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
