// carnet.exe [FILE]: opens FILE, or starts with an empty, unnamed ledger.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  int status = CarnetWindowCreate(showCommand);
  if (status != 0) return status;
  CarnetMenuBuild();
  status = CarnetLedgerFormOpen();
  if (status != 0) return status;
  // The path as given, spaces included; quotes around it are the shell's.
  if (__argc > 1) CarnetOpenPath(__argv[1]);
  return ZK_MessageLoop();
}
