#include "TrawlDoc.h"

#include "core/TextFill.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "ui/ListEditSave.h"

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
    runsFor = app->GetProfileInt(optionsSection, "WhatRunsFor", 0) == 1 ? trawl::RunsFor::StartAndRun
                                                                        : trawl::RunsFor::CommandPrompt;
}

void CTrawlDoc::SaveRunsFor(trawl::RunsFor changed)
{
    runsFor = changed;
    if (CWinApp* app = CWinApp::Get())
        app->WriteProfileInt(optionsSection, "WhatRunsFor", changed == trawl::RunsFor::StartAndRun ? 1 : 0);
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

bool CTrawlDoc::OnSaveModified()
{
    CWinApp* app = CWinApp::Get();
    if (!listEdit || !listEdit->edit.Changed() || app == nullptr || app->mainWnd == nullptr)
        return true;
    CWnd& owner = *app->mainWnd;
    const int answer =
        owner.MessageBox(trawl::FillIn(LoadResString(IDS_EDIT_SAVE_QUESTION), "%s", listEdit->Variable()),
                         LoadResString(IDS_EDIT_CAPTION), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL || (answer == IDYES && SaveListEdits(owner, *listEdit) == SaveResult::NotSaved))
        return false;
    listEdit.reset();
    SetModifiedFlag(false);
    return true;
}
