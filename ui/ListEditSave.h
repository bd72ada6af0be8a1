#pragma once

#include "ui/ListEditSession.h"

#include <optional>
#include <string>

class CWnd;

enum class SaveResult {
    Saved,      // or nothing to save
    NotSaved,   // refused, declined or failed: every value is as it was
    HandedOver, // an elevated Trawl was started with the edits
};

// Writes what the session changed: refused past 32,767 characters, asked
// past the editors' limits, backed up first, read back, and told. A write
// of the machine's value that is denied offers to start Trawl again as
// administrator with the edits.
SaveResult SaveListEdits(CWnd& owner, CListEditSession& session);

// The newest backup of the variable's values; empty when Trawl has none.
std::wstring LastBackup(const std::string& variable);
// Puts back the variable's values from the backup of Trawl's last save of it.
bool UndoLastSave(CWnd& owner, const std::string& variable);

// The command-line switch, followed by a file, that hands edits to an elevated run.
inline constexpr wchar_t handedEditsSwitch[] = L"/edits=";
// The file named after the switch in this process's command line; empty without one.
std::wstring HandedEditsFile();
// The session for the variable with the edits the file holds (then deleted).
std::optional<CListEditSession> TakeHandedEdits(const std::wstring& file);
