#pragma once

// The images compiled into the program: ":/about.jpg" (the About picture) and
// ":/qmel.png" (the window icon).

namespace qmel {

// Registers the images. Programs that link qmel_resources through CMake have
// them registered before main() already; calling this again is harmless.
void initResources();

}  // namespace qmel
