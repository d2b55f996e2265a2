// Carnet, the expense ledger on Zarvik: what the application's files share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
// Édition > Annuler (undo true) or Rétablir: the ledger's last step taken back or made again,
// the entry it touched made current.
void CarnetHistoryStep(bool undo);

// menu_commands.cpp: the menu bar and what its entries do; built again when the recent files
// change.
void CarnetMenuBuild();
// The menu bar built again only when the recent files it shows are no longer those kept.
void CarnetMenuRecentUpdate();
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

// view_forms.cpp: Affichage > Période... (the entries between two dates), Édition > Rechercher...
// and its next and previous, Affichage > Totaux par catégorie.
void CarnetPeriodFormRun();
void CarnetPeriodClear();
void CarnetFindFormRun();
void CarnetFindNext(bool forward);
void CarnetTotalsFormRun();

// recent_files.cpp: the last four ledgers opened or saved, newest first, kept for the user.
std::vector<std::string> CarnetRecentFiles();
void CarnetRecentAdd(const std::string& path);
