// Layout tables of the lock's dialogs (unlock prompt 777, access-code prompt 876, lock cover 760),
// registered with the resource registry once.
#pragma once

void RegisterLockDialogLayouts();
