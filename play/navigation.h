// The move list's navigation, its timed replay and automatic play of machine
// against machine, on the board window.
//
// After each navigation button the board shows the position after the move
// of the selected line (the position the move input continues from), or the
// start position with line 0 selected:
//   "<<"  the start position (the set-up or pasted one for a game that began
//         from one), line 0 selected;
//   "<"   the position before the selected line's move: the position after
//         the line before, that line selected; on line 0 the start position,
//         selection kept;
//   ">"   from the start position, the position after line 0's move; else
//         the position after the line below the selected one, that line
//         selected; on the last line the final position, selection kept;
//   ">>"  the final position, the last line selected.
// "Go" starts and stops the timed replay (Timer3, every delai_attente ms), or
// automatic play in machine against machine (Timer4, every 100 ms).
// While the machine is busy every one of these is refused.
#pragma once

class plateau;

// Shows recorded position k (after k half-moves) on the board control and
// tab_echiquier; the marks drawn on the board go and the caption becomes the
// one of that position. An index outside the history, or a recorded text that is not
// a position, changes nothing (false).
bool montre_position(plateau& p, int k);

// The board back on the game's last recorded position, its line selected,
// when it shows an earlier one (looked at through the move list): the
// position moves are judged and played on (the machine's, a network
// game's). True when the board changed; otherwise tab_echiquier takes what
// the board control shows.
bool revient_position_courante(plateau& p);

// The five buttons action(0) .. action(4).
void action_Click(plateau& p, int Index);
// A double-click on a line: the position after that move, and its comment in
// the comment window.
void List1_DblClick(plateau& p);
// One tick of the timed replay: shows the position of the selected line when
// the board does not show it yet, else moves on to the next line; the replay
// ends once the last line's position is shown.
void Timer3_Timer(plateau& p);
// One tick of automatic play: one joue_machine; a false result stops
// automatic play. Then the next tick's engine profile: 1 and 2 in turn once a
// second profile is loaded, else 1. A tick that comes while the machine is
// busy is skipped whole.
void Timer4_Timer(plateau& p);

// Connects the board window's navigation buttons, move list, Timer3 and
// Timer4 to the handlers above; called once when the board window is created.
void branche_plateau(plateau& p);
