// Texts the launcher shows, as a player reads them (Shift-JIS at run time,
// like the launcher's own).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

constexpr const char* kCaption = "ＺＥＲＶＡ－Ｑ７Ｒ（デモ）の起動とインストール";
constexpr const char* kPlayLabel = "プレイ(&P)";
constexpr const char* kInstallLabel = "インストール(&I)";
constexpr const char* kUninstallLabel = "アンインストール(&U)";
constexpr const char* kExitLabel = "終了(&X)";
constexpr const char* kMissingSuffix = "が在りません";

// The installer's messages.
namespace installer_texts {
constexpr const char* kNoDirectory = "ディレクトリを指定してください。";
constexpr const char* kNetworkDrive = "ネットワークドライブにはインストールできません。";
constexpr const char* kBadDrive = "指定ドライブにはインストールできません。";
constexpr const char* kNoRoom = "指定ドライブの空き容量が不足しています。";
constexpr const char* kAlreadyExists = "ディレクトリがすでに存在します。";
constexpr const char* kCannotCreate = "ディレクトリが作成できません。";
constexpr const char* kCopyFailed = "インストールに失敗しました。";
constexpr const char* kCopyFinished = "インストールが終了しました。";
constexpr const char* kNotRecorded = "インストールの記録に失敗しました。";
constexpr const char* kRecordNotDeleted = "インストールの記録の削除に失敗しました。";
constexpr const char* kStopQuestion = "インストールを中断しますか？";
constexpr const char* kUninstallQuestion = "アンインストールを実行しますか？";
// The question before a directory is created.
inline std::string Question(const std::string& path) { return "ディレクトリ\"" + path + "\"にインストールを行います。"; }
// The report of an installation directory that could not be removed.
inline std::string DirectoryLeft(const std::string& path) { return "ディレクトリ\"" + path + "\"を削除できませんでした。"; }
// The selection's line for a source of that many bytes; the unit's tenth is 97,280 bytes.
inline std::string SizeText(std::uint64_t bytes) {
    const std::uint64_t tenths = bytes / 97280;
    char text[128];
    std::snprintf(text, sizeof text, "インストールに必用な容量 = %3d.%1d M byte", int(tenths / 10), int(tenths % 10));
    return text;
}
}  // namespace installer_texts
