// Layout tables of the link's dialogs (firmware update 270, link selection 144, communication
// monitor 109) and the interface menu 114, registered with the resource registry once.
#pragma once

void RegisterLinkDialogLayouts();
