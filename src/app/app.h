#pragma once
// Start-up and exit, clock and clipboard, history window and About window.
#include "engine/calculator.h"

namespace vantoro {

// Start-up: the constant texts, display colours and faces; then a mode applied to the keys.
void Ver_Init(Calculator &c);
void initTables(Calculator &c);
// Start-up of the calculator in `mode` without a settings file: tables, SaveMode = 1,
// MODE_INIT, faces, Entry_Init and the first display refresh.
void startCalculator(Calculator &c, int mode);
// A stored mode as the calculator can take it: 0..2, anything else H:M:S-Auto.
int modeFromStored(double value);

// Clock display and clipboard copy
void timer1_timer(Calculator &c);
void Nowtime_click(Calculator &c);
void CLIP_COPY_Click(Calculator &c);
QString clipboardText(const CalcState &st);

// History window
void ensureHistoryWindow(Calculator &c); // created hidden when it does not exist
void His_Click(Calculator &c);
void History_Unload(Calculator &c);       // the history window closed
void His_List_DblClick(Calculator &c);    // recall of the selected line

// About window
void About_Click(Calculator &c);
void OK_Click(Calculator &c);
void About_Unload(Calculator &c);         // the About window closed by any means

// Main window
// Start-up logic of the main window: settings path, position (ui.left/top), Init_Calc,
// Entry_Init, the first refresh, title texts. The window layer shows the window after it.
void Form_Load(Calculator &c);
void Init_Calc(Calculator &c);
void Form_Resize(Calculator &c);          // after ui.minimised changed
void Form_MouseMove(Calculator &c);
void Iconize_Click(Calculator &c);
void OFF_Click(Calculator &c);
void Form_Unload(Calculator &c);
void Unload_Vantoro(Calculator &c);

} // namespace vantoro
