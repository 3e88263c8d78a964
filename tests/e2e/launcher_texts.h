// Texts the launcher shows, as a player reads them (Shift-JIS at run time,
// like the launcher's own).
#pragma once

constexpr const char* kCaption = "ＺＥＲＶＡ－Ｑ７Ｒ（デモ）の起動とインストール";
constexpr const char* kPlayLabel = "プレイ(&P)";
constexpr const char* kInstallLabel = "インストール(&I)";
constexpr const char* kUninstallLabel = "アンインストール(&U)";
constexpr const char* kExitLabel = "終了(&X)";
constexpr const char* kMissingSuffix = "が在りません";
