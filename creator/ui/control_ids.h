// Ids of the windows' controls and menu items, and the window class names. The Win32
// windows use them, and so do the end-to-end scripts, which read this file to drive the
// program by name (a click is a WM_COMMAND with one of these ids). Plain #defines, so a
// script can read them and the header stays free of <windows.h>.
#pragma once

// Window classes: the main window, the about window and the help window.
#define BNF_CLASS_MAIN "TfBNF"
#define BNF_CLASS_ABOUT "TfAbout"
#define BNF_CLASS_HELP "TfHelp"

// Main window controls. 1 and 2 stay free: the dialog manager sends them for Enter and
// Escape.
#define IDC_LABEL1 101
#define IDC_LABEL2 102
#define IDC_LBFAM 103
#define IDC_LBTYPE 104
#define IDC_MEMO3 105
#define IDC_MEMO1 106
#define IDC_MEMO2 107
#define IDC_PANEL1 108
#define IDC_BUTTON1 109

// Main menu items.
#define IDM_OPEN_CONVERTED_PDF 201
#define IDM_EXIT 202
#define IDM_DIRECTORY_FOR_BITNAME_FILES 203
#define IDM_PRIVATE_SFRS 204
#define IDM_PRIVATE_BITNAMES 205
#define IDM_RELOAD_PRIVATE 206
#define IDM_ABOUT 207
#define IDM_HELP 208

// About window.
#define IDC_ABOUT_LABEL1 301
#define IDC_ABOUT_LABEL2 302

// Help window.
#define IDC_HELP_MEMO1 401
#define IDC_HELP_PANEL1 402
#define IDC_HELP_CLOSE 403
