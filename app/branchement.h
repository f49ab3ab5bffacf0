// The one place where the program's parts are plugged into one another.
#pragma once

// Fills every hook store: what a lower folder reaches of a higher one (the
// main window's items for the opening base and the language, the board
// window's mouse pointer and search display, the progress window), the
// commands of the main window and the machine's answer. Every store is first
// emptied, so that a second call puts the wiring back as the program has it
// (what the tests' fixture does after each test). Called once by main(),
// before the main window is created.
void branche_tout();
