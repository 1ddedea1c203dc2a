// The program's identity on the desktop: its application id, its version, its own command line (--help and
// --version) and its window icon.
#pragma once

#include <QIcon>
#include <QStringList>

#include <optional>

namespace flowcalc {

// The reverse-DNS application id: the name of the desktop entry, the AppStream id and the icon's name.
inline constexpr const char* kApplicationId = FLOWCALC_APP_ID;

// Answers the program's own options. With qtOptionsRemoved false (before the window system is started, when
// Qt's options such as -platform are still in the list) only --help and --version are acted on, so that they
// work without a display; with true every other option and any argument is refused. Returns the exit status
// when the program must stop here (0 after --help or --version, 2 for a usage error), nothing to go on.
std::optional<int> answerCommandLine(const QStringList& arguments, bool qtOptionsRemoved);

// The window icon drawn for this program, at 16, 32, 48, 64, 128 and 256 pixels.
QIcon applicationIcon();

// Gives the running application its version, desktop file name and window icon (every window, sub-window
// and the About window shows it).
void setUpApplication();

} // namespace flowcalc
