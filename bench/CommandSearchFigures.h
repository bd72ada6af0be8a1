#pragma once

// The command search with its marks against a wildcard search of as many
// rows, on a fixture of its own (2,520 directories under %TEMP%\tc, each
// holding "tool" and "tool" with each of twelve extensions: 32,760 rows);
// then the enumerations behind it on 400 of the directories: one "tool.*" per
// directory against one lookup per name tried. Returns 1 when it could not run
// or a figure is INVALID.
int RunCommandSearchFigures();
// Deletes the command search's fixture.
void DeleteCommandFixture();
