#pragma once
// What tests and benchmarks both do to the desk's window as the clerk would: find a control by
// its design name, press a board half at a place given in board units.
#include <QObject>
#include <QPointF>
#include <QString>
#include <stdexcept>
#include <string>

namespace kavro {
class BoardHalf;
}

namespace kavro::test {

// A control of the window by its design name. A name the window lacks is an exception (a test
// reports it as a failure) rather than a crash of the whole run.
template <class T> T* control(const QObject& window, const QString& name) {
    if (T* found = window.findChild<T*>(name))
        return found;
    throw std::runtime_error("the window has no control named " + name.toStdString());
}

// A press and release of the left button through the half's own mouse events, at a fractional
// position: it lands on exactly these units, whatever the pixel grid.
void pressBoardHalf(BoardHalf& half, QPointF units);

} // namespace kavro::test
