// The command line of the copy of the launcher that Windows Vista and later
// start elevated for Install or Uninstall, and what that copy does: the one
// action, with the main window of the player's own launcher as its dialogs'
// owner, in the folder that launcher works in.
#pragma once

#include <windows.h>

#include "shared_state.h"

enum ElevatedAction { kNoElevatedAction, kElevatedInstall, kElevatedUninstall };

struct ElevatedRequest {
    ElevatedAction action;
    HWND owner;
    char folder[kPathCapacity];
};

// Room for the longest switch, a window handle and a quoted folder.
constexpr int kElevatedArgumentsCapacity = 12 + 11 + kPathCapacity + 2;

// Writes the arguments that ask a copy for `action`: switch, window, "folder".
void WriteElevatedArguments(char* arguments, ElevatedAction action, HWND owner, const char* folder);

// Reads arguments that WriteElevatedArguments wrote. Any other command line
// asks for no action: the launcher starts as usual.
ElevatedRequest ReadElevatedRequest(const char* arguments);

// Runs the request's action, after start-up has read the record, unless the
// record no longer fits it: another launcher installed or uninstalled
// meanwhile. It owns its dialogs by the request's window if that still is one.
void RunElevatedAction(const ElevatedRequest& request);
