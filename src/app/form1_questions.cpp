// Questions and messages hold the clock tick until they close.
#include "app/form1.h"

#include <QTimer>

namespace kavro {

void Form1::holdTicksWhileAsking() {
    auto held = [this](auto show) {
        return [this, show](const QString& title, const QString& text) {
            ++questionsOpen_;
            struct Closed {
                Form1* form;
                ~Closed() { form->questionClosed(); }
            } closed{this};
            return show(title, text);
        };
    };
    platform_.ask = held(platform_.ask);
    platform_.message = held(platform_.message);
}

void Form1::questionClosed() {
    if (--questionsOpen_ > 0 || !tickWaiting_)
        return;
    // Posted: the handler that asked goes on with the day it asked about, and the tick runs
    // when it is done (unless the handler ticked itself on the way out).
    QTimer::singleShot(0, this, [this] {
        if (tickWaiting_)
            tick();
    });
}

bool Form1::tickHeldByQuestion() {
    tickWaiting_ = questionsOpen_ > 0;
    return tickWaiting_;
}

} // namespace kavro
