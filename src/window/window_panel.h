#pragma once
// A panel whose controls the window's fixed design scatters (the room status in two columns
// and a corner, the board's halves left and right of a column of room labels): a widget over
// the whole window shaped to its own controls, so that the design's positions stay the
// window's and the panel covers nothing of the others. Its shape follows its controls when
// the window is scaled.
#include <QWidget>

namespace kavro {

class WindowPanel : public QWidget {
    Q_OBJECT
public:
    WindowPanel(const char* name, QWidget* window);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reshape();
};

} // namespace kavro
