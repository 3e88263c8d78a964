// Resource identifiers, shared by the resource script and the code.
#pragma once

// String table.
#define IDS_APP_CAPTION 1
#define IDS_DEFAULT_INSTALL_DIR 2
#define IDS_SOURCE_DIR 3

// Main window controls.
#define IDC_PLAY 100
#define IDC_INSTALL 200
#define IDC_EXIT 300

// Directory selection and copy controls.
#define IDC_START_INSTALL 400
#define IDC_INSTALL_DIR_EDIT 401
#define IDC_STOP 402
#define IDC_SIZE_TEXT 500
#define IDC_PROGRESS_FRAME 600
