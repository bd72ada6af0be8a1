#include "DocTemplate.h"

#include "FrameWnd.h"
#include "FrameworkIds.h"
#include "Resources.h"
#include "View.h"
#include "WinApp.h"

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, const CRuntimeClass& documentClass,
                                       const CRuntimeClass& frameClass, const CRuntimeClass& viewClass)
    : resourceId(resourceId), documentClass(documentClass), frameClass(frameClass), viewClass(viewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate() = default;

std::string CSingleDocTemplate::GetDocString(int index) const
{
    const std::string text = LoadResString(resourceId);
    size_t start = 0;
    for (int field = 0; field < index; ++field) {
        size_t next = text.find('\n', start);
        if (next == std::string::npos)
            return {};
        start = next + 1;
    }
    return text.substr(start, text.find('\n', start) - start);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::string& path, int showCommand)
{
    CWinApp* app = CWinApp::Get();
    document.reset(dynamic_cast<CDocument*>(documentClass.createObject()));
    auto* frame = dynamic_cast<CFrameWnd*>(frameClass.createObject());
    if (document == nullptr || frame == nullptr) {
        delete frame;
        document.reset();
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }

    CCreateContext context;
    context.viewClass = &viewClass;
    context.document = document.get();
    document->SetFrame(frame);
    if (!frame->LoadFrame(resourceId, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
        delete frame; // a frame that failed to load does not delete itself

        document.reset();
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }

    std::string name = GetDocString(1);
    document->SetTitle(name.empty() ? LoadResString(AFX_IDS_UNTITLED) : name);

    bool ready = path.empty() ? document->OnNewDocument() : document->OnOpenDocument(path);
    if (!ready) {
        frame->DestroyWindow();
        document.reset();
        // A new document that refuses says nothing; a named file that cannot be read is reported.
        if (!path.empty())
            AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    if (app != nullptr && app->mainWnd == nullptr)
        app->mainWnd = frame;
    frame->InitialUpdateFrame(showCommand);
    return document.get();
}
