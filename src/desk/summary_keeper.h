#pragma once
// Keeps the summary file up to date while the program runs: after a day file is saved or
// a day is shown, that day's line is recomputed on a background thread, one update after
// the other, so that the save and the clock tick never wait for a second durable write.
// Changes in quick succession (a check-in is a save and a load) make one update, a moment
// after the last; an update still waiting when the window closes is written then, and one
// lost to a crash is made at the next start-up, which refreshes every stale line.
#include "core/records/civil_time.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <set>

namespace kavro {

class SummaryKeeper : public QObject {
    Q_OBJECT

public:
    // error(text) is called on the keeper's thread (the window's) the first time the summary
    // cannot be written; later failures of the same run stay silent, the next success
    // clears it.
    SummaryKeeper(std::filesystem::path dir, std::function<void(const QString& text)> error,
                  QObject* parent = nullptr);
    ~SummaryKeeper() override;

    // How long the keeper waits for more changes before it writes.
    static constexpr int kSettleMs = 1500;

    // Queues the day for an update once changes have settled.
    void dayChanged(Date date);
    // Starts what is waiting at once and blocks until every update is done.
    void waitForIdle();

private:
    void startWaiting();
    void report(const QString& text);

    std::filesystem::path dir_;
    std::function<void(const QString&)> error_;
    QThreadPool pool_;       // one thread: updates run in the order they were queued
    std::set<Date> waiting_; // changed days not yet handed to the pool
    QTimer settle_;
    bool errorShown_ = false;
};

} // namespace kavro
