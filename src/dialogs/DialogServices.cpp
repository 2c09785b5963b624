#include "dialogs/DialogServices.h"

#include <utility>

namespace {

DialogServices* current = nullptr;

}  // namespace

DialogServices* SetDialogServices(DialogServices* services) { return std::exchange(current, services); }

DialogServices* GetDialogServices() { return current; }
