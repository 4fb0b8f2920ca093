#pragma once
// Japanese names need the desktop's input method inside the window. Qt reaches one only
// through a plugin; when the plugin for the method the desktop asks for is missing, Qt
// falls back to plain keys without a word and the desk can type Latin letters only.
#include <QString>
#include <QStringList>
#include <functional>

namespace kavro {

// Reads one environment variable; an unset variable reads as a null QString.
using EnvironmentLookup = std::function<QString(const char* name)>;

// The notice for the desk when the desktop asks for an input method (QT_IM_MODULE, else
// the XIM server in XMODIFIERS, which Qt itself never talks to) that none of the loadable
// input-context plugins (their keys) provides: which one is missing and what to install.
// Empty when nothing is asked for or the method is there.
QString missingInputMethodNotice(const EnvironmentLookup& environment,
                                 const QStringList& loadablePlugins);

// Keys of the input-context plugins this Qt can really load.
QStringList loadableInputContextPlugins();

} // namespace kavro
