// The install record: one registry value under HKEY_USERS that says the demo
// is installed, and where. Every failure here is silent.
#pragma once

#include <windows.h>

// Fills IsInstalled and InstalledDir from the record; creates the empty key on
// the very first run.
void ReadInstallRecord();

// Fills IsInstalled and InstalledDir from the record's value in the open
// key, if it holds one.
void ReadInstallRecordFrom(HKEY key);

// Stores InstalledDir as the record.
void WriteInstallRecord();

// Deletes the record's value; the key stays.
void DeleteInstallRecord();
