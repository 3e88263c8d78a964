// The install record: one registry value under HKEY_USERS that says the demo
// is installed, and where. Nothing here shows a message; the write and the
// deletion say whether they worked, since a copy without its record is no
// installation, and a record that stays keeps the demo installed.
#pragma once

#include <windows.h>

// Fills IsInstalled and InstalledDir from the record; creates the empty key on
// the very first run.
void ReadInstallRecord();

// Fills IsInstalled and InstalledDir from the record's value in the open
// key, if it holds one.
void ReadInstallRecordFrom(HKEY key);

// Stores InstalledDir as the record. False when the key can't be opened or
// created, or the value can't be stored.
bool WriteInstallRecord();

// Deletes the record's value; the key stays. False when the key can't be
// opened or the value is there and can't be deleted.
bool DeleteInstallRecord();
