#pragma once
// The window's controls as designed: positions and sizes in twips (15 to a pixel), the
// design's fonts, editable lists that take what is typed, filled backgrounds. Every panel
// builds its controls through these, so that the window reads as one design.
#include <QColor>
#include <QFont>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace kavro {

// Design positions are in twips; the screen has 15 twips per pixel.
constexpr int tw(int twips) { return (twips * 2 + 15) / 30; }

inline constexpr const char* kPanelFont = "ＭＳ Ｐゴシック";
inline constexpr const char* kFixedFont = "ＭＳ ゴシック";

QFont designFont(const char* family, double points, bool bold = false);
void place(QWidget* w, int left, int top, int width, int height);
// A filled background of one colour.
void fill(QWidget* w, const QColor& colour);

template <class W>
W* make(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    place(w, left, top, width, height);
    return w;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
              int height);
QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top,
                    int width, int height);
// An editable list that stores what is typed or refuses it, never a completion of it.
QComboBox* combo(QWidget* parent, const char* name, int left, int top, int width);

} // namespace kavro
