#include "Shell.h"

#include <shellapi.h>

namespace {

class CSystemShell : public IShell {
public:
    INT_PTR Execute(HWND owner, const char* verb, const char* file, const char* parameters,
                    const char* directory, int show) override
    {
        return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, verb, file, parameters, directory, show));
    }
    void Beep(UINT type) override { MessageBeep(type); }
};

} // namespace

IShell& SystemShell()
{
    static CSystemShell shell;
    return shell;
}
