#include "link/LinkHost.h"

#include "link/LinkWorker.h"

void CLinkHost::UsbFirmwareCycle(CLinkWorker& worker) {
    worker.Sleep(worker.Timings().notReadyPause);
}

void CLinkHost::NetFirmwareCycle(CLinkWorker& worker) {
    worker.Sleep(worker.Timings().notReadyPause);
}
