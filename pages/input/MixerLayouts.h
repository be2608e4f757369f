// Layouts of the mixer popup (850) and its panes (849), registered once.
#pragma once

void RegisterMixerLayouts();
