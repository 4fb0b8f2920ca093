#pragma once
// The outside world as tests see it: a settable clock and recorders for everything the
// window would otherwise show or do to the machine.
#include "window/platform.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace kavro::test {

struct Message {
    QString title;
    QString text;
};

struct FakeWorld {
    DateTime now{};
    std::vector<Message> messages;
    std::vector<Message> questions; // asked with ask(); answered by `answer`
    bool answer = true;
    // Runs once inside the next question or message, as the window's timers would in the
    // nested event loop of a real dialog.
    std::function<void()> whileNextDialogIsOpen;
    int beeps = 0;
    int restartRequests = 0;
    bool restartAccepted = false;
    std::vector<QString> startedPrograms;
    bool startSucceeds = true;
    int quits = 0;
};

// A platform whose functions act on the shared world.
Platform fakePlatform(const std::shared_ptr<FakeWorld>& world, const std::filesystem::path& dir);

} // namespace kavro::test
