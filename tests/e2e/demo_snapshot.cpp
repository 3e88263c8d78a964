// Starts the launcher of a demo folder as a player would, waits until its
// window shows the picture, and saves the window as a BMP file. With --close
// it then closes the launcher and waits for its end; without, the launcher
// stays open for the person at the display.
// Usage: demo_snapshot <demo folder> <picture.bmp> [--close]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "demo_folder.h"
#include "launcher_session.h"
#include "main_window_look.h"
#include "waiting.h"

namespace {

// A display of another depth never matches exactly; the picture is kept anyway.
constexpr DWORD kPaintPatienceMilliseconds = 3000;

int Snapshot(const std::string& folder, const std::string& bitmapPath, bool close) {
    const std::string program = folder + "\\" + kLauncherProgram;
    const BackgroundPicture picture = PictureOfProgram(program);
    const Launcher launcher(program, folder, {});
    const AppWindow main = launcher.Main();
    WaitForThePicture(main, picture, kPaintPatienceMilliseconds);
    if (!SaveBitmapFile(main.Screenshot(), bitmapPath)) throw RigFailure("cannot write " + bitmapPath);
    if (!close) return 0;
    main.Close();
    return launcher.WaitForExit() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: demo_snapshot <demo folder> <picture.bmp> [--close]\n");
        return 2;
    }
    const bool close = argc > 3 && std::strcmp(argv[3], "--close") == 0;
    try {
        return Snapshot(WindowsPathOf(argv[1]), WindowsPathOf(argv[2]), close);
    } catch (const RigFailure& failure) {
        std::fprintf(stderr, "demo_snapshot: %s\n", failure.what());
        return 1;
    }
}
