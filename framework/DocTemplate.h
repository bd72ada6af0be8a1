#pragma once

#include "Document.h"

#include <memory>
#include <string>

// Builds the one document with its frame and view from a shared resource id
// (menu, accelerators, icon and the document string).
class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT resourceId, const CRuntimeClass& documentClass, const CRuntimeClass& frameClass,
                       const CRuntimeClass& viewClass);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // New (path empty) or Open: makes the document, the frame with its view,
    // titles the document, runs OnNewDocument or OnOpenDocument, gives the
    // view its first update and shows the frame. Null when any step fails.
    CDocument* OpenDocumentFile(const std::string& path, int showCommand);

    // A field of the document string: 0 window title, 1 document name, ...
    std::string GetDocString(int index) const;
    CDocument* GetDocument() const { return document.get(); }
    UINT GetResourceId() const { return resourceId; }

private:
    UINT resourceId;
    const CRuntimeClass& documentClass;
    const CRuntimeClass& frameClass;
    const CRuntimeClass& viewClass;
    std::unique_ptr<CDocument> document;
};
