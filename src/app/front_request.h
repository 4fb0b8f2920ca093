#pragma once
// A second start while the program runs (the launcher clicked again, the autostart after a
// log-in) brings the running window to the front; the instance lock still ends the second
// copy. The running copy listens on a local socket named after the user and the program's
// folder, in Linux's abstract namespace: no socket file is left in a folder, even by a crash.
#include <QString>
#include <filesystem>

class QWidget;

namespace kavro {

// The same for every start of one user's program in one folder, different otherwise.
QString frontRequestName(const std::filesystem::path& programDir);

// The running copy: brings `window` to the front at each request, while the window exists.
// False when the name cannot be listened on (the program then runs without it).
bool listenForFrontRequests(const QString& name, QWidget* window);

// The second copy: one request to the copy that listens. False when none answered in time.
bool requestFront(const QString& name, int timeoutMs = 2000);

// Shown (also when minimized), raised above the other windows and given the keyboard.
void bringToFront(QWidget* window);

} // namespace kavro
