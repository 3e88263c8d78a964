// The launcher's install and uninstall as a player goes through them, driven
// from outside through the window system, in steps that a benchmark can time
// one by one.
#pragma once

#include <windows.h>

#include <string>

#include "launcher_session.h"
#include "launcher_texts.h"

// True for a message box whose text is `text`.
bool IsBoxSaying(HWND window, const std::string& text);
// Presses a box's button and waits until the box has gone.
void PressAndWaitGone(const ShownMessage& box, int button);

// Install, the directory (a full path) typed into the selection, the start
// button: the question whether to install there, still open.
ShownMessage AskToInstallInto(const Launcher& launcher, const std::string& directory);
// OK on the box that ends the copy, and the second button reads Uninstall.
void AcknowledgeInstallation(const Launcher& launcher, const ShownMessage& finished);
// The whole install, the copy included.
void Install(const Launcher& launcher, const std::string& directory);
// Uninstall, answered Yes; the second button reads Install again.
void Uninstall(const Launcher& launcher);
// Exit, and the launcher has ended.
void Exit(const Launcher& launcher);
