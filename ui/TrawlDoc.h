#pragma once

#include "core/DisplayOptions.h"
#include "framework/Document.h"

// The document holds nothing but the display options, loaded from the
// per-user settings when it is created and saved there when they change.
class CTrawlDoc : public CDocument {
    DECLARE_RUNTIME_CLASS()

public:
    bool OnNewDocument() override;
    // A file named on the command line is not read; the settings still are,
    // so the user's columns do not depend on how the program was started.
    bool OnOpenDocument(const std::string& path) override;

    // Reads FileSize, FileDate, FileAttrib and FileVersion, in that order, each default 0.
    void LoadDisplayOptions();
    // Takes new options and writes all four, in the same order, whichever changed.
    void SaveDisplayOptions(const trawl::DisplayOptions& changed);

    trawl::DisplayOptions options;
};

inline constexpr char optionsSection[] = "Options";
