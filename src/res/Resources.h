#pragma once
// The program's built-in resources (the icon) live in a static library; this registers them.

void InitResources();
