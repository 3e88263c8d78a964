#include "wide_text.h"

namespace {

constexpr UINT kShiftJis = 932;
constexpr int kTextCapacity = 1024;

}  // namespace

std::wstring Widened(const std::string& bytes, UINT codePage) {
    std::wstring wide(bytes.size(), L'\0');
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length);
    return wide;
}

std::string AsShiftJis(const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    const int length = WideCharToMultiByte(kShiftJis, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(length);
    return bytes;
}

std::wstring WideWindowText(HWND window) {
    WCHAR text[kTextCapacity] = L"";
    GetWindowTextW(window, text, kTextCapacity);
    return text;
}
