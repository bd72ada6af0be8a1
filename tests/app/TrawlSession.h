#pragma once

#include "app/MainFrame.h"
#include "app/TrawlApp.h"
#include "ui/TrawlView.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Closes every message box this process shows, as a user pressing OK would,
// and keeps what each one said. Without it a box would wait for ever.
class MessageBoxCloser {
public:
    struct Box {
        std::string caption;
        std::string text;
        // The MessageBox style its buttons, default button and icon show.
        UINT style = 0;
        HICON icon = nullptr; // as the box shows it: compare with LoadIcon(nullptr, IDI_...)
        RECT place{};         // on the screen
    };
    // The button pressed (when the box has it; OK otherwise), or pressEnter.
    static constexpr int pressEnter = 0;
    std::atomic<int> answer{IDOK};
    // Runs on the watcher's thread while a box is up, before it is answered.
    std::function<void()> beforeAnswer;
    MessageBoxCloser();
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    // The boxes closed so far, which are then forgotten.
    std::vector<Box> Take();
    // While held, dialogs are left to the test that drives them.
    void Hold(bool on) { held = on; }

private:
    void Watch();

    std::mutex mutex;
    std::vector<Box> boxes;
    std::vector<HWND> closed;
    std::atomic<bool> stop{false};
    std::atomic<bool> held{false};
    std::thread watcher;
};

// Directories and files under Z:\tmp, removed afterwards.
class FixtureDir {
public:
    FixtureDir();
    ~FixtureDir();
    FixtureDir(const FixtureDir&) = delete;
    FixtureDir& operator=(const FixtureDir&) = delete;

    // A subdirectory holding empty files of the given names.
    std::string Directory(const std::string& name, const std::vector<std::string>& files);

private:
    std::string root;
};

// The program started in this process as WinMain starts it, driven through
// its windows. Each test starts it afresh and ends it before the next.
class TrawlSession : public testing::Test {
protected:
    void TearDown() override;

    // Runs InitInstance: the frame, the form and its first update, shown.
    void Start();
    // Closes the main window and lets the loop take the quit message.
    void Stop();
    // What the message loop does between two waits, and until a running
    // search ends (awaitSearch); false once the program quit.
    bool Pump();
    bool awaitSearch = true;
    // The settings of the program, gone as on a first run.
    static void ForgetSettings();

    HWND Control(int id) const { return GetDlgItem(form, id); }
    void Type(int id, const std::string& text);
    void Click(int id);
    // The user's choice of a variable in the list; -1 chooses none.
    void ChooseVariable(int index);
    void ChooseVariable(const std::string& name);
    // A key pressed while the focused control has the keyboard, Ctrl held or not.
    bool PressKey(UINT key, bool control = false);
    // The status line's prompt once the program fell idle with the focus there.
    std::string PromptFor(int id);

    std::string Text(int id) const;
    std::vector<std::string> Rows() const;
    std::vector<std::string> Headings() const;
    std::vector<std::string> Variables() const;
    std::string Pane(int index) const;
    std::string Caption() const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Visible(int id) const { return IsWindowVisible(Control(id)) != FALSE; }
    // Whether a View menu item is enabled when the user opens that menu.
    bool ViewMenuItemEnabled(UINT command);
    // A child's window rectangle relative to the form's origin.
    RECT PlaceOf(int id) const;

    static CTrawlApp& App();

    MessageBoxCloser boxes;
    CMainFrame* frame = nullptr;
    CTrawlView* view = nullptr;
    HWND frameWindow = nullptr;
    HWND form = nullptr;
    bool quitSeen = false;
};

inline constexpr char settingsKey[] = "Software\\Quillfen\\Trawl\\Options";
