#pragma once

// Makes the faces the forms are designed for available: Tahoma and "MS Sans Serif" from Wine's
// font folder, Arial, Times New Roman and Courier New through their metric-compatible Liberation
// faces. Call once, after the application object exists and before any window is created.
void registerFonts();
