#pragma once

#include "framework/Platform.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

// A value's type and bytes; nothing when it (or its key) is not there.
std::optional<std::pair<DWORD, std::vector<BYTE>>> ReadStoredValue(HKEY root, const std::wstring& subKey,
                                                                   const std::wstring& name);

// One stored value to change: where it lives, what it held when it was read
// (nothing: it did not exist), and what it is to hold.
struct StoredValueChange {
    HKEY root;
    const wchar_t* rootName; // as a .reg file names it: "HKEY_CURRENT_USER"
    std::wstring subKey;
    std::wstring name;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> before;
    DWORD type;
    std::wstring value;
};

enum class WriteFault {
    None,
    Backup,   // the backup could not be written: nothing was changed
    Changed,  // someone changed the value since it was read
    Write,    // the system refused the write (status tells why)
    ReadBack, // the value read back is not what was written
};

struct WriteOutcome {
    WriteFault fault = WriteFault::None;
    size_t failed = 0; // which change, when one failed
    LSTATUS status = ERROR_SUCCESS;
    std::wstring backupPath; // the .reg file that puts back the values as they were
};

// The text of a .reg file that `reg import` turns back into the values as
// they were before the changes: type and bytes exactly, and a value that did
// not exist removed.
std::wstring BackupRegText(std::span<const StoredValueChange> changes);

// Saves the old values to backupPath first, then writes each change and reads
// it back. On any failure every value already written is put back as it was,
// so no value stays half-changed.
WriteOutcome WriteStoredValues(std::span<const StoredValueChange> changes, const std::wstring& backupPath);

// Where the backups go: a folder under the user's local application data,
// made when missing; empty when there is no such place.
std::wstring BackupFolder();
// One file per save, named for the variable, the store and the time, so that
// no save overwrites another's backup.
// The start every backup of the variable's values has.
std::wstring BackupNamePrefix(const std::wstring& variable);
std::wstring BackupFileName(const std::wstring& variable, const std::wstring& store, const SYSTEMTIME& time);

// Tells the running programs that the stored environment changed, so that
// those that start programs (the shell) give new ones the new values. A
// window that does not answer within 5 seconds is passed over.
void BroadcastEnvironmentChange();
