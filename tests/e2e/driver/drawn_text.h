// Whether a text reached the screen in glyphs of its own. A text whose
// characters the font lacks shows one shape over and over (empty boxes), and
// so does one that was turned into question marks; Japanese text shows many
// different shapes.
#pragma once

#include <windows.h>

#include <string>

// True once `area` (screen coordinates) shows one line of `text` in colour
// `ink` as at least as many different shapes (runs of columns holding ink,
// told apart by their pixels) as its different ASCII characters and half its
// different other ones (spaces and the mnemonic's & left out); false when it
// never does.
bool ShowsItsGlyphs(const RECT& area, COLORREF ink, const std::wstring& text);

// The caption bar's text area of a window with a caption, up to its buttons.
RECT CaptionTextArea(HWND window);
