// Velmo's own functions: the menu, the main window procedure and the three demonstration forms.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "zarvik/zarvik.h"

// Declares the menu bar's entries and shows it on the main window.
void DemoMenuBuild();
// The main window's procedure: painting bracket, menu commands, then the toolkit's defaults.
LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Open the demonstration forms "tous", "static" and "edit".
void DemoTousFormOpen();
void DemoStaticFormOpen();
void DemoEditFormOpen();

// The forms' event procedures.
int DemoStaticFormEvent(std::string form, std::string item, std::string event, HWND dialog,
                        UINT message, WPARAM wParam, LPARAM lParam);
int DemoEditFormEvent(std::string form, std::string item, std::string event, HWND dialog,
                      UINT message, WPARAM wParam, LPARAM lParam);

// One row of a form's item table, as ZK_FormItemAdd takes it.
struct DemoItem {
  int order;
  const char* name;
  const char* kind;
  int x;
  int y;
  int width;
  int height;
  const char* properties;
};

// The form "static" as Velmo opens it: its items in table order and its property string (the
// form benchmarks open the same form their own way).
std::vector<DemoItem> DemoStaticFormItems();
const char* DemoStaticFormProperties();

// Declares a form's items in table order; failures are reported by the toolkit itself.
template <std::size_t N>
void DemoItemsAdd(const char* form, const DemoItem (&items)[N]) {
  for (const DemoItem& item : items)
    ZK_FormItemAdd(form, item.name, item.kind, item.order, item.x, item.y, item.width, item.height,
                   item.properties);
}
