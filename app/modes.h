// The play mode on the main window: the check mark of the mode items, the
// correspondence tools menu, and the window title.
#pragma once

// Brings the mode items and the correspondence tools menu in line with
// mode_jeux (no change for a mode outside 1..5), then rebuilds the title.
// Does nothing while the main window does not exist.
void change_mode();
// Rebuilds the main window's title: program, version, level, mode.
void titre_fenetre();
