#pragma once

#include <string>

// Prints how long the Directory List dialog takes to open with every
// entry's state in (its checks run on workers), for a full 32,767-character list of 1,000 entries, half of
// them missing, made as directories in a short folder on the temporary folder's drive (the entries must be
// short enough for 1,000 of them) and removed after; then how long an edit of those 1,000 entries takes to
// show, and a save of a value as long as a variable holds.
void PrintDirectoryListFigure();
