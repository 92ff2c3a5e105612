#pragma once
// The private messages of the main window: the context menus post them so that the main
// window acts as if one of its buttons had been clicked.

#include "toolkit/UIDefs.h"

namespace orvalis::shell {

inline constexpr DuiLib::UINT WM_LANGUAGE_CHANGED = DuiLib::WM_USER + 6;  // texts again
inline constexpr DuiLib::UINT WM_CLICK_ADD_FILE = DuiLib::WM_USER + 7;     // "BtnAddFile"
inline constexpr DuiLib::UINT WM_CLICK_ADD_FOLDER = DuiLib::WM_USER + 8;   // "BtnAddFolder"
inline constexpr DuiLib::UINT WM_CLICK_REMOVE_FILE = DuiLib::WM_USER + 9;  // "BtnRemoveFile"
inline constexpr DuiLib::UINT WM_CLICK_LOAD_ISO = DuiLib::WM_USER + 10;    // "BtnLoadISO"
inline constexpr DuiLib::UINT WM_CLICK_EXTRACT_ISO = DuiLib::WM_USER + 11; // "BtnExtractISO", lParam: 0 list, 1 tree
inline constexpr DuiLib::UINT WM_CLICK_REMOVE_ALL = DuiLib::WM_USER + 12;  // "BtnRemoveAll"

// lParam of WM_CLICK_EXTRACT_ISO: where the conversion was asked for.
inline constexpr DuiLib::LPARAM kExtractFromList = 0;
inline constexpr DuiLib::LPARAM kExtractFromTree = 1;

}  // namespace orvalis::shell
