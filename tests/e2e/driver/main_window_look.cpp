#include "main_window_look.h"

#include <optional>

#include "resource_ids.h"
#include "waiting.h"

MainWindowLook::MainWindowLook(const AppWindow& main, const BackgroundPicture& picture)
    : picture_(picture), shown_(CaptureScreen(main.ClientRectOnScreen())) {
    for (int id : {IDC_PLAY, IDC_INSTALL, IDC_EXIT}) buttons_.push_back(main.ControlRectInClient(id));
}

int MainWindowLook::Differences(const BackgroundPicture& picture, POINT origin) const {
    return CountDifferences(shown_, picture, origin, buttons_);
}

BackgroundPicture PictureOfProgram(const std::string& program) {
    BackgroundPicture picture;
    if (!LoadBackgroundPictureOfProgram(program, &picture)) throw RigFailure(program + " holds no picture that decodes");
    return picture;
}

MainWindowLook WaitForThePicture(const AppWindow& main, const BackgroundPicture& picture, DWORD timeout) {
    std::optional<MainWindowLook> look;
    WaitUntil(
        [&] {
            look.emplace(main, picture);
            return look->DifferencesFromTheCentredPicture() == 0;
        },
        timeout);
    return *look;
}
