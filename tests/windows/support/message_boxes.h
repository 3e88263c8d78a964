// Reads and answers the message boxes that the code under test opens on this
// thread, as a user would: a WH_CBT hook sees each box when it activates,
// records its caption, text, buttons and icon, and clicks the answer.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

// Texts are read back through the wide calls and kept in code page 932, as
// the launcher's texts and the tests' literals are written.
struct SeenMessageBox {
    std::string caption;
    std::string text;
    std::wstring wideText;  // the text as the box holds it
    bool hasOk = false, hasYes = false, hasNo = false;
    bool hasIcon = false;
    HICON icon = nullptr;   // the shared system icon: compare with LoadIcon(nullptr, IDI_INFORMATION) etc.
    int defaultButton = 0;  // IDOK, IDYES or IDNO
};

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

// A message box's window: a dialog holding the static text 0xFFFF and a box's button.
bool IsMessageBox(HWND window);
// What a box shows; works for boxes of other processes too.
SeenMessageBox ReadMessageBox(HWND box);

class MessageBoxAnswerer {
public:
    // Boxes are answered with the given buttons in turn; once they run out,
    // with IDOK, or IDNO where the box has no OK button.
    explicit MessageBoxAnswerer(std::deque<int> answers = {});
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    const std::vector<SeenMessageBox>& Seen() const { return seen_; }
    // The texts of all boxes seen so far, for compact assertions.
    std::vector<std::string> Texts() const;
    void Answer(int button) { answers_.push_back(button); }

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND box);

    HHOOK hook_;
    std::deque<int> answers_;
    std::vector<SeenMessageBox> seen_;
};
