// The launcher's own resources, as the program loads them: the templates with
// their styles, places, ids and texts, the string table and the icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

struct TemplateItem {
    DWORD style;
    short x, y, cx, cy;
    int id;
    WORD classAtom;
    std::wstring text;
};

struct DialogTemplate {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::wstring menu, className, title;
    std::vector<TemplateItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : p_(data), start_(data) {}
    WORD Word() { WORD w; memcpy(&w, p_, 2); p_ += 2; return w; }
    DWORD Dword() { return Word() | (DWORD(Word()) << 16); }
    short Short() { return static_cast<short>(Word()); }
    // A name or an ordinal: 0xFFFF then the ordinal, or a zero-terminated UTF-16 text.
    std::wstring NameOrOrdinal(WORD* ordinal = nullptr) {
        if (Word() == 0xFFFF) {
            const WORD value = Word();
            if (ordinal != nullptr) *ordinal = value;
            return L"#" + std::to_wstring(value);
        }
        p_ -= 2;
        std::wstring text;
        for (WORD c = Word(); c != 0; c = Word()) text += wchar_t(c);
        return text;
    }
    void AlignToDword() { p_ = start_ + ((p_ - start_ + 3) & ~3); }

private:
    const BYTE* p_;
    const BYTE* start_;
};

DialogTemplate LoadTemplate(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
    EXPECT_NE(found, nullptr) << name;
    TemplateReader in(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
    DialogTemplate dialog;
    dialog.style = in.Dword();
    dialog.exStyle = in.Dword();
    const WORD count = in.Word();
    dialog.x = in.Short(), dialog.y = in.Short(), dialog.cx = in.Short(), dialog.cy = in.Short();
    dialog.menu = in.NameOrOrdinal();
    dialog.className = in.NameOrOrdinal();
    dialog.title = in.NameOrOrdinal();
    for (WORD i = 0; i < count; ++i) {
        in.AlignToDword();
        TemplateItem item;
        item.style = in.Dword();
        EXPECT_EQ(in.Dword(), 0u) << "extended style of an item";
        item.x = in.Short(), item.y = in.Short(), item.cx = in.Short(), item.cy = in.Short();
        item.id = static_cast<short>(in.Word());
        item.classAtom = 0;
        in.NameOrOrdinal(&item.classAtom);
        item.text = in.NameOrOrdinal();
        EXPECT_EQ(in.Word(), 0u) << "creation data of an item";
        dialog.items.push_back(item);
    }
    return dialog;
}

constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82;

void ExpectFrame(const DialogTemplate& dialog, DWORD style, short x, short y, short cx, short cy) {
    EXPECT_EQ(dialog.style, style);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.style & DS_SETFONT, 0u) << "no font: the system font sets the dialog units";
    EXPECT_EQ(std::vector<short>({dialog.x, dialog.y, dialog.cx, dialog.cy}), std::vector<short>({x, y, cx, cy}));
    EXPECT_EQ(dialog.menu, L"");
    EXPECT_EQ(dialog.className, L"");
    EXPECT_EQ(dialog.title, L"");
}

void ExpectItem(const TemplateItem& item, int id, WORD classAtom, const wchar_t* text, DWORD style, short x,
                short y, short cx, short cy) {
    SCOPED_TRACE("control " + std::to_string(id));
    EXPECT_EQ(item.id, id);
    EXPECT_EQ(item.classAtom, classAtom);
    EXPECT_EQ(item.text, text);
    EXPECT_EQ(item.style, style);
    EXPECT_EQ(std::vector<short>({item.x, item.y, item.cx, item.cy}), std::vector<short>({x, y, cx, cy}));
}

TEST(Resources, TheMainWindowHasItsFrameAndThreeButtonsInTabOrder) {
    const DialogTemplate dialog = LoadTemplate("DLG_MAIN");
    ExpectFrame(dialog, 0x90C80084, 8, 14, 232, 160);
    ASSERT_EQ(dialog.items.size(), 3u);
    ExpectItem(dialog.items[0], IDC_PLAY, kButton, L"プレイ(&P)", 0x50010001, 8, 136, 56, 16);
    ExpectItem(dialog.items[1], IDC_INSTALL, kButton, L"インストール(&I)", 0x50010000, 72, 136, 88, 16);
    ExpectItem(dialog.items[2], IDC_EXIT, kButton, L"終了(&X)", 0x50010000, 168, 136, 56, 16);
}

TEST(Resources, TheDirectorySelectionHasItsFiveControls) {
    const DialogTemplate dialog = LoadTemplate("DLG_SELECT");
    ExpectFrame(dialog, 0x90440084, 18, 14, 184, 81);
    ASSERT_EQ(dialog.items.size(), 5u);
    ExpectItem(dialog.items[0], IDC_INSTALL_DIR_EDIT, kEdit, L"", 0x50810000, 8, 40, 168, 10);
    ExpectItem(dialog.items[1], IDC_START_INSTALL, kButton, L"インストール開始(&G)", 0x50010001, 8, 58, 80, 16);
    ExpectItem(dialog.items[2], IDC_STOP, kButton, L"中止(&S)", 0x50010000, 96, 58, 80, 16);
    ExpectItem(dialog.items[3], -1, kStatic, L"インストールディレクトリを指定してください", 0x50020000, 8, 8, 168, 8);
    ExpectItem(dialog.items[4], IDC_SIZE_TEXT, kStatic, L"", 0x50020000, 8, 24, 168, 8);
}

TEST(Resources, TheCopyDialogHasTheStopButtonTheLabelAndTheBarFrame) {
    const DialogTemplate dialog = LoadTemplate("DLG_INST");
    ExpectFrame(dialog, 0x90440084, 27, 51, 192, 72);
    ASSERT_EQ(dialog.items.size(), 3u);
    ExpectItem(dialog.items[0], IDC_STOP, kButton, L"中止(&S)", 0x50010000, 64, 48, 64, 16);
    ExpectItem(dialog.items[1], -1, kStatic, L"インストール中", 0x50020001, 64, 8, 64, 8);
    ExpectItem(dialog.items[2], IDC_PROGRESS_FRAME, kStatic, L"", 0x50000004, 8, 24, 176, 16);
}

std::wstring LoadWideString(UINT id) {
    wchar_t text[300] = L"";
    LoadStringW(GetModuleHandleA(nullptr), id, text, 300);
    return text;
}

TEST(Resources, TheStringTableHoldsTheCaptionTheDefaultDirectoryAndTheSource) {
    EXPECT_EQ(LoadWideString(IDS_APP_CAPTION), L"ＺＥＲＶＡ－Ｑ７Ｒ（デモ）の起動とインストール");
    EXPECT_EQ(LoadWideString(IDS_DEFAULT_INSTALL_DIR), L"\\Program Files\\Quirn\\Q7R_DEMO");
    EXPECT_EQ(LoadWideString(IDS_SOURCE_DIR), L".");
    // The caption fits its 82-byte buffer in Shift-JIS, with the terminator.
    char caption[200] = "";
    EXPECT_LT(LoadStringA(GetModuleHandleA(nullptr), IDS_APP_CAPTION, caption, sizeof caption), 82);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(Resources, TheIconGroupHoldsOneSixteenColourIconOf32By32) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(module, "ICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    WORD header[3];
    memcpy(header, data, sizeof header);
    EXPECT_EQ(header[1], 1) << "icon type";
    ASSERT_EQ(header[2], 1) << "one image";
    IconGroupEntry entry;
    memcpy(&entry, data + 6, sizeof entry);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.colourCount, 16);
    EXPECT_EQ(entry.bitCount, 4);
    EXPECT_NE(LoadIconA(module, "ICON"), nullptr);
}

}  // namespace
