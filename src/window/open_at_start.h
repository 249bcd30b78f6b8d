#pragma once
// The experiment file named on the command line opens once the window is
// on screen, so that a refused file's box stands over the window as it
// starts rather than wherever the window was before it was placed.

#include <QString>

namespace orvinda {

class Form1;

// Call after form.show().
void open_experiment_when_shown(Form1& form, const QString& path);

}  // namespace orvinda
