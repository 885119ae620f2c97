#pragma once
// The program ending at once, as when the window is closed, whatever box is open: every
// dialog is cancelled and every event loop left, the start-up failure's box's too.

void EndNow();
