#pragma once

#include "CmdTarget.h"
#include "RuntimeClass.h"

#include <memory>
#include <string>

class CFrameWnd;
class CView;

// A document: this framework's documents hold no file content, only a title
// and what the program keeps in them.
class CDocument : public CCmdTarget {
public:
    const std::string& GetTitle() const { return title; }
    // Sets the title and shows it in the caption of the frame.
    virtual void SetTitle(const std::string& newTitle);
    virtual bool OnNewDocument();
    // Opening a named file only checks that it can be read.
    virtual bool OnOpenDocument(const std::string& path);
    virtual void DeleteContents() {}
    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool value = true) { modified = value; }
    // True when the document may be closed; an unmodified one always may.
    virtual bool SaveModified() { return !modified || OnSaveModified(); }

    CView* GetView() const { return view; }
    void AttachView(CView* newView) { view = newView; }
    void SetFrame(CFrameWnd* newFrame) { frame = newFrame; }

protected:
    // This framework has nothing to save to; a modified document is kept open.
    virtual bool OnSaveModified() { return false; }

private:
    std::string title;
    bool modified = false;
    CView* view = nullptr;
    CFrameWnd* frame = nullptr;
};

// What the frame needs to create its view and bind it to the document.
struct CCreateContext {
    const CRuntimeClass* viewClass = nullptr;
    CDocument* document = nullptr;
};
