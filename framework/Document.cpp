#include "Document.h"

#include "FrameWnd.h"

void CDocument::SetTitle(const std::string& newTitle)
{
    title = newTitle;
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr)
        frame->OnUpdateFrameTitle();
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}
