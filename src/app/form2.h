#pragma once
// The splash window shown while the main window starts.
#include <QWidget>

namespace kavro {

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
};

} // namespace kavro
