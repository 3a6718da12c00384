#include "app/app.h"
#include "engine/basic.h"
#include "engine/messages.h"
#include "panel/panel.h"

namespace vantoro {

void Form_Resize(Calculator &c)
{
    if (c.ui.minimised) {
        if (c.st.HisShown == 1)
            c.history.visible = false;
    } else if (c.st.HisShown == 0) {
        c.sv.activateWindow(WindowId::Main);
    } else {
        c.history.visible = true;
        c.sv.activateWindow(WindowId::History);
    }
}

void Form_MouseMove(Calculator &c)
{
    if (c.st.PushKey > 0)
        Release_Keys(c);
}

void Iconize_Click(Calculator &c)
{
    c.ui.minimised = true;
    Form_Resize(c);
}

void OFF_Click(Calculator &c)
{
    if (c.sv.askYesNo(Msg::QuitConfirm, c.st.TitleText)) {
        Unload_Vantoro(c);
        c.sv.endProcess();
    } else {
        c.sv.focusEnterCapt();
    }
}

void Form_Unload(Calculator &c)
{
    Unload_Vantoro(c);
}

void Unload_Vantoro(Calculator &c)
{
    // Saving the settings is added with the settings file.
    History_Unload(c);
    About_Unload(c);
}

} // namespace vantoro

namespace vantoro {

void Form_Load(Calculator &c)
{
    // Settings are read here once the settings file exists.
    startCalculator(c, ModeNo::Auto);
}

void Init_Calc(Calculator &c)
{
    Q_UNUSED(c);
}

} // namespace vantoro
