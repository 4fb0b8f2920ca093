#include "support/fake_platform.h"

#include <utility>

namespace kavro::test {

namespace {
void runWhileOpen(FakeWorld& world) {
    if (auto hook = std::exchange(world.whileNextDialogIsOpen, nullptr))
        hook();
}
} // namespace

Platform fakePlatform(const std::shared_ptr<FakeWorld>& world, const std::filesystem::path& dir) {
    Platform p;
    p.now = [world] { return world->now; };
    p.programDir = dir;
    p.message = [world](const QString& title, const QString& text) {
        world->messages.push_back({title, text});
        runWhileOpen(*world);
    };
    p.ask = [world](const QString& title, const QString& text) {
        world->questions.push_back({title, text});
        runWhileOpen(*world);
        return world->answer;
    };
    p.beep = [world] { ++world->beeps; };
    p.requestRestart = [world] {
        ++world->restartRequests;
        return world->restartAccepted;
    };
    p.startProgram = [world](const QString& program, const QStringList&) {
        world->startedPrograms.push_back(program);
        return world->startSucceeds;
    };
    p.quit = [world] { ++world->quits; };
    return p;
}

} // namespace kavro::test
