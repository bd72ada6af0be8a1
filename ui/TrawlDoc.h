#pragma once

#include "core/DisplayOptions.h"
#include "core/ShellRuns.h"
#include "framework/Document.h"
#include "ui/ListEditSession.h"

#include <optional>

// The document holds the display options, loaded from the per-user
// settings when it is created and saved there when they change, and the
// Directory List's edits while they wait to be saved.
class CTrawlDoc : public CDocument {
    DECLARE_RUNTIME_CLASS()

public:
    bool OnNewDocument() override;
    // A file named on the command line is not read; the settings still are,
    // so the user's columns do not depend on how the program was started.
    bool OnOpenDocument(const std::string& path) override;

    // Reads FileSize, FileDate, FileAttrib and FileVersion, in that order, each
    // default 0, then WhatRunsFor.
    void LoadDisplayOptions();
    // Takes new options and writes all four, in the same order, whichever changed.
    void SaveDisplayOptions(const trawl::DisplayOptions& changed);
    // Takes the new choice of what the marks answer for and writes WhatRunsFor.
    void SaveRunsFor(trawl::RunsFor changed);

    trawl::DisplayOptions options;
    // Read with the options: 1 stored is Start and Run, anything else the Command Prompt.
    trawl::RunsFor runsFor = trawl::RunsFor::CommandPrompt;
    // Modified while it holds edits; closing asks whether to save them.
    std::optional<CListEditSession> listEdit;

protected:
    bool OnSaveModified() override;
};

inline constexpr char optionsSection[] = "Options";
