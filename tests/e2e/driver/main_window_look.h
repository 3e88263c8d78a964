// The main window's client area as the screen shows it, compared with the
// launcher's picture; the buttons on top of the picture are left out.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "background_picture.h"
#include "launcher_session.h"

class MainWindowLook {
public:
    // Takes the client area's pixels now.
    MainWindowLook(const AppWindow& main, const BackgroundPicture& picture);

    const Pixels& Shown() const { return shown_; }
    // Where the centred part of the picture begins (column, row from the top).
    POINT CentralOrigin() const { return CentralPartOrigin(picture_, shown_.width, shown_.height); }
    // Pixels that differ from `picture` placed with `origin` at the client's corner.
    int Differences(const BackgroundPicture& picture, POINT origin) const;
    int DifferencesFromTheCentredPicture() const { return Differences(picture_, CentralOrigin()); }

private:
    const BackgroundPicture& picture_;
    Pixels shown_;
    std::vector<RECT> buttons_;
};

// The picture stored in a launcher program; throws RigFailure when there is none that decodes.
BackgroundPicture PictureOfProgram(const std::string& program);

// Waits until the main window shows the centred picture; the last look, matching or not.
MainWindowLook WaitForThePicture(const AppWindow& main, const BackgroundPicture& picture, DWORD timeout);
