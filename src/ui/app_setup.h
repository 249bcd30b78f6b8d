#pragma once

class QApplication;
class QIcon;

namespace orvinda {

// Fonts, Qt's own Russian texts (buttons, context menus) and the icon.
void prepare_application(QApplication& app);

// The program's icon at the usual sizes.
QIcon program_icon();

}  // namespace orvinda
