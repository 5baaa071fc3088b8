#pragma once
// Resource identifiers shared by the resource scripts and the code.
#define IDI_KALVORO 1
#define IDI_TRAY0 2
#define IDI_TRAY1 3
#define IDB_MENU_IMAGES 10
