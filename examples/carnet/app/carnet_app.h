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
void CarnetLedgerFormFit(int width, int height);
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

// file_dialogs.cpp: the system's file dialogs; false when the user cancelled.
bool CarnetAskOpenPath(std::string* path);
bool CarnetAskSavePath(std::string* path);

// save_question.cpp: "Enregistrer les modifications ?" with Oui, Non, Annuler.
enum class CarnetAnswer { Yes, No, Cancel };
CarnetAnswer CarnetAskSaveChanges();

// modal_form.cpp: what the modal forms share. Their items, declared in table order:
struct CarnetFormItem {
  const char* name;
  const char* kind;
  int x;
  int y;
  int width;
  int height;
  const char* properties;
};
// Declares the items, runs the form modally (with "modal=true" in `properties`) and forgets it
// afterwards; the status of ZK_FormCreate.
int CarnetModalFormRun(const std::string& form, const std::string& properties, int x, int y,
                       int width, int height, const std::vector<CarnetFormItem>& items,
                       ZK_FormEventProc events);
// In a modal form's event procedure: the button a BEFORE event's command clicks ("" for none);
// and Enter and Escape, which come as commands from no control, pressing the `ok` and `cancel`
// buttons (true when the event was one of them).
std::string CarnetClickedButton(const std::string& item, const std::string& event, UINT message,
                                WPARAM wParam);
bool CarnetPressForKey(const std::string& form, const std::string& event, UINT message,
                       WPARAM wParam, LPARAM lParam, const char* ok, const char* cancel);

// entry_form.cpp: the modal form "Nouvelle écriture"; the entry is added when OK is pressed.
void CarnetEntryFormRun();
