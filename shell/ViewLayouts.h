#pragma once

// Registers form 101, the main view's layout (idempotent).
void RegisterViewLayouts();
