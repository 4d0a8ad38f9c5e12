#pragma once

// Makes the session pane's visible screen text readable by assistive tools (the accessible text
// interface of a terminal). Call before the first pane is shown; repeated calls do nothing more.
void installTerminalAccessibility();
