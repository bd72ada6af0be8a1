#include "TrawlDoc.h"

#include "framework/WinApp.h"

IMPLEMENT_RUNTIME_CLASS(CTrawlDoc)

bool CTrawlDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    LoadDisplayOptions();
    return true;
}

bool CTrawlDoc::OnOpenDocument(const std::string& path)
{
    if (!CDocument::OnOpenDocument(path))
        return false;
    LoadDisplayOptions();
    return true;
}

void CTrawlDoc::LoadDisplayOptions()
{
    CWinApp* app = CWinApp::Get();
    if (app == nullptr)
        return;
    options.showSize = static_cast<int32_t>(app->GetProfileInt(optionsSection, "FileSize", 0));
    options.showDate = static_cast<int32_t>(app->GetProfileInt(optionsSection, "FileDate", 0));
    options.showAttrib = static_cast<int32_t>(app->GetProfileInt(optionsSection, "FileAttrib", 0));
    // Read once as on or off, so the columns and the options box agree on
    // any stored value.
    options.showVersion = app->GetProfileInt(optionsSection, "FileVersion", 0) != 0 ? 1 : 0;
}
