// Handlers that open the side windows: the import window, the editor, the version dialog
// and the web help. They stay empty until those windows exist.
#include "ui/main/main_window.h"

void TFormMain::ButtonDataConvertClick() {}

void TFormMain::Editor1Click() {}

void TFormMain::About1Click() {}

void TFormMain::HTMLHowToUseClick() {}
