// Carnet, the expense ledger on Zarvik: what the application's files share.
#pragma once

#include <windows.h>

#include <string>

#include <zarvik/zarvik.h>

#include "ledger.h"

// The names the toolkit knows the application's windows and items by.
inline constexpr char kCarnetMainWindow[] = "Main";
inline constexpr char kCarnetMenu[] = "menu";
inline constexpr char kCarnetLedgerForm[] = "carnet";
inline constexpr char kCarnetGrid[] = "ecritures";
inline constexpr char kCarnetName[] = "Carnet";

// The ledger shown in the window: one per program.
carnet::Ledger& CarnetLedger();

// carnet_window.cpp: the main window.
int CarnetWindowCreate(int showCommand);
HWND CarnetWindowHandle();
void CarnetTitleShow();

// ledger_form.cpp: the grid of the entries, filling the main window, and its status bar.
int CarnetLedgerFormOpen();
void CarnetGridFocus();
// After the ledger changed as a whole (opened, new, entries added or deleted, sorted).
void CarnetRowsShow();
// The status bar's "<n> écritures, total <amount>" and the title.
void CarnetStatusShow();
void CarnetStatusSet(const std::string& text);
// The status bar's text as it shows now (its first 255 characters).
std::string CarnetStatusShown();
// Deletes the selected entries (or the current one).
void CarnetDeleteSelected();
// Makes an entry current and shows it.
void CarnetEntrySelect(std::size_t entry);

// menu_commands.cpp: the menu bar and what its entries do.
void CarnetMenuBuild();
bool CarnetCommandRun(const std::string& command);
// Quitting as Fichier > Quitter does: false when the user kept the program open.
bool CarnetQuit();

// ledger_files.cpp: opening and saving, and settling unsaved changes first.
bool CarnetOpenPath(const std::string& path);
bool CarnetSave();
bool CarnetSaveAs();
// True when the ledger may be replaced or the program closed: no unsaved changes, or the user
// saved them or chose to drop them.
bool CarnetChangesSettled();

// The system's file dialogs for ledgers ("" when the user cancelled), and the question before
// unsaved changes are lost (ledger_files.cpp).
std::string CarnetAskOpenPath();
std::string CarnetAskSavePath();

// entry_form.cpp: the modal form "Nouvelle écriture"; the entry is added when OK is pressed.
void CarnetEntryFormRun();
