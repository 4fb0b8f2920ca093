#pragma once
// The outside world as tests see it: a settable clock and recorders for everything the
// window would otherwise show or do to the machine.
#include "window/platform.h"

#include <QString>
#include <QStringList>
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
    int beeps = 0;
    int restartRequests = 0;
    bool restartAccepted = false;
    std::vector<QString> startedPrograms;
    bool startSucceeds = true;
};

// A platform whose functions act on the shared world.
Platform fakePlatform(const std::shared_ptr<FakeWorld>& world, const std::filesystem::path& dir);

} // namespace kavro::test
