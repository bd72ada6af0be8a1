#pragma once

#include "core/DirectorySearch.h"
#include "ui/ResultListCtrl.h"

#include <string>
#include <string_view>

// Empties the list and fills it with the files the search finds, in the
// order found. Drawing is suspended meanwhile: a visible list that redraws
// on every insertion is orders of magnitude slower. A bare command name is
// looked for as the command interpreter looks for it, with the process's
// PATHEXT, which also tells the list which program of each command runs.
trawl::SearchOutcome ListMatchingFiles(CResultListCtrl& list, std::string_view directoryList,
                                       std::string_view pattern, const trawl::DisplayOptions& options);

// Adds the message row when nothing was listed and sizes the first column
// to the widest text plus 10 pixels.
void FinishResultList(CResultListCtrl& list, const trawl::SearchOutcome& outcome,
                      const std::string& noFilesText);
