// A scripted look at the window for review: saves the idle window, the window during a run, the
// inactive window and the two small dialogs as PNG files. Needs a real X server (Xvfb will do).
#pragma once

#include <QString>

namespace plimo {

// Returns the process's exit status: 0 when every picture was saved.
int RunScreenshotDemo(const QString& folder);

}  // namespace plimo
