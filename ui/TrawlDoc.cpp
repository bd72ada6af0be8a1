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

void CTrawlDoc::SaveDisplayOptions(const trawl::DisplayOptions& changed)
{
    options = changed;
    CWinApp* app = CWinApp::Get();
    if (app == nullptr)
        return;
    app->WriteProfileInt(optionsSection, "FileSize", options.showSize);
    app->WriteProfileInt(optionsSection, "FileDate", options.showDate);
    app->WriteProfileInt(optionsSection, "FileAttrib", options.showAttrib);
    app->WriteProfileInt(optionsSection, "FileVersion", options.showVersion);
}
