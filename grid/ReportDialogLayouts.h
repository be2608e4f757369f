// The layout of the parameter table dialog (102), registered once before it is made.
#pragma once

void RegisterReportDialogLayouts();
