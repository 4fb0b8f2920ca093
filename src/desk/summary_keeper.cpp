#include "desk/summary_keeper.h"

#include "core/figures/summary_file.h"
#include "sales/day_takings.h"

#include <QMetaObject>
#include <QPointer>
#include <vector>

namespace kavro {

SummaryKeeper::SummaryKeeper(std::filesystem::path dir,
                             std::function<void(const QString& text)> error, QObject* parent)
    : QObject(parent), dir_(std::move(dir)), error_(std::move(error)) {
    pool_.setMaxThreadCount(1);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &SummaryKeeper::startWaiting);
}

SummaryKeeper::~SummaryKeeper() { waitForIdle(); }

void SummaryKeeper::dayChanged(Date date) {
    waiting_.insert(date);
    settle_.start();
}

void SummaryKeeper::startWaiting() {
    settle_.stop();
    if (waiting_.empty())
        return;
    std::vector<Date> dates(waiting_.begin(), waiting_.end());
    waiting_.clear();
    QPointer<SummaryKeeper> self(this);
    pool_.start([this, self, dates] {
        const SummaryUpdate update = summariseDays(dir_, dates, salesFileTakings(dir_));
        const QString text = update.error ? QString::fromStdString(*update.error) : QString();
        QMetaObject::invokeMethod(this, [self, text] {
            if (self)
                self->report(text);
        });
    });
}

void SummaryKeeper::waitForIdle() {
    startWaiting();
    pool_.waitForDone();
}

void SummaryKeeper::report(const QString& text) {
    if (text.isEmpty()) {
        errorShown_ = false;
        return;
    }
    if (errorShown_)
        return;
    errorShown_ = true;
    error_(text);
}

} // namespace kavro
