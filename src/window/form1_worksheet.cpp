// The menu item "Лист заданий…": the worksheet tool asks and writes on its own.

#include "tools/worksheet/worksheet_dialog.h"
#include "window/form1.h"

namespace orvinda {

void Form1::mnuExperimentWorksheet_Click() { make_worksheet(this, platform_); }

}  // namespace orvinda
