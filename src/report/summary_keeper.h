#pragma once
// Keeps the summary file up to date while the program runs: after a day file is saved or
// a day is shown, that day's line is recomputed on a background thread, one update after
// the other, so that the save and the clock tick never wait for a second durable write.
#include "ledger/civil_time.h"

#include <QObject>
#include <QThreadPool>
#include <filesystem>
#include <functional>
#include <mutex>
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

    // Queues the day; a day already waiting is not queued twice.
    void dayChanged(Date date);
    // Blocks until every queued update is done (tests, and before the purge at start-up).
    void waitForIdle();

private:
    void report(const QString& text);

    std::filesystem::path dir_;
    std::function<void(const QString&)> error_;
    QThreadPool pool_; // one thread: updates run in the order they were queued
    std::mutex mutex_;
    std::set<Date> waiting_;
    bool errorShown_ = false;
};

} // namespace kavro
