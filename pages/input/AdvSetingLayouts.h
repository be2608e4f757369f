// Layout of the advanced settings dialog (675) on the sections its background was drawn with,
// registered once.
#pragma once

void RegisterAdvSetingLayout();
