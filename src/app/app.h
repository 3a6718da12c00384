// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up and exit, clock and clipboard, history window and About window.
#include "engine/calculator.h"

namespace vantoro {

// Start-up steps, shared by the main window (Form_Load, Init_Calc) and the command-line tool.
void Ver_Init(Calculator &c);
// The constant texts, display colours and released key faces.
void initTables(Calculator &c);
// Mode, SaveMode = 1, the keys set up for the mode (MODE_INIT) and the faces released.
void initMode(Calculator &c, int mode);
// The end of start-up: Entry_Init, the first display refresh, Loading = 0, the title texts,
// the window caption and the legend of the Auto/Unit key.
void completeStart(Calculator &c);
// Start-up of the calculator in `mode` without a settings file.
void startCalculator(Calculator &c, int mode);
// A stored mode as the calculator can take it: 0..2, anything else H:M:S-Auto.
int modeFromStored(double value);
// A stored history-window flag: 1 open, anything else closed (0).
int hisShownFromStored(double value);

// Clock display and clipboard copy
void timer1_timer(Calculator &c);
void Nowtime_click(Calculator &c);
void CLIP_COPY_Click(Calculator &c);
QString clipboardText(const CalcState &st);

// History window
void His_Click(Calculator &c);
void History_Unload(Calculator &c);    // the history window closed
void His_List_DblClick(Calculator &c); // recall of the selected line

// About window
void About_Click(Calculator &c);
void OK_Click(Calculator &c);
void About_Unload(Calculator &c); // the About window closed by any means

// Main window
// Start-up logic of the main window, run before the window is first shown: the settings
// path, the saved position into ui.left/top, Init_Calc, Entry_Init, the first refresh and
// the title texts. The settings file is c.st.IniFile when that is set beforehand (tests
// point it at a temporary directory), else settingsFilePath().
void Form_Load(Calculator &c);
// Tables, faces, Mode and the history window from the settings file c.st.IniFile.
void Init_Calc(Calculator &c);
void Form_Resize(Calculator &c); // after ui.minimised changed
void Form_MouseMove(Calculator &c);
void Iconize_Click(Calculator &c);
void OFF_Click(Calculator &c);
void Form_Unload(Calculator &c);
// Saves position, Mode and history flag to c.st.IniFile, then closes history and About.
void Unload_Vantoro(Calculator &c);

} // namespace vantoro
