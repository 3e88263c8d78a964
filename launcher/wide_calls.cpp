#include "wide_calls.h"

#include "system_functions.h"

namespace {

template <typename Function>
bool Find(const char* dll, const char* name, Function* function) {
    *function = FindSystemFunction<Function>(dll, name);
    return *function != nullptr;
}

bool FindKernelCalls(WideCalls* calls) {
    const char dll[] = "kernel32.dll";
    return Find(dll, "GetACP", &calls->getACP) && Find(dll, "IsValidCodePage", &calls->isValidCodePage) &&
           Find(dll, "MultiByteToWideChar", &calls->multiByteToWideChar) &&
           Find(dll, "WideCharToMultiByte", &calls->wideCharToMultiByte);
}

bool FindUserCalls(WideCalls* calls) {
    const char dll[] = "user32.dll";
    return Find(dll, "LoadStringW", &calls->loadString) && Find(dll, "DialogBoxParamW", &calls->dialogBoxParam) &&
           Find(dll, "MessageBoxW", &calls->messageBox) && Find(dll, "SetWindowTextW", &calls->setWindowText) &&
           Find(dll, "SetDlgItemTextW", &calls->setDlgItemText) &&
           Find(dll, "EnumChildWindows", &calls->enumChildWindows) && Find(dll, "SendMessageW", &calls->sendMessage);
}

bool FindGdiCalls(WideCalls* calls) {
    const char dll[] = "gdi32.dll";
    return Find(dll, "GetStockObject", &calls->getStockObject) && Find(dll, "GetObjectW", &calls->getObject) &&
           Find(dll, "CreateFontIndirectW", &calls->createFontIndirect);
}

}  // namespace

bool FindWideCalls(WideCalls* calls) { return FindKernelCalls(calls) && FindUserCalls(calls) && FindGdiCalls(calls); }
