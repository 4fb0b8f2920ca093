#include "report/summary_keeper.h"

#include "ledger/summary_file.h"

#include <QMetaObject>
#include <QPointer>

namespace kavro {

SummaryKeeper::SummaryKeeper(std::filesystem::path dir,
                             std::function<void(const QString& text)> error, QObject* parent)
    : QObject(parent), dir_(std::move(dir)), error_(std::move(error)) {
    pool_.setMaxThreadCount(1);
}

SummaryKeeper::~SummaryKeeper() { pool_.waitForDone(); }

void SummaryKeeper::dayChanged(Date date) {
    {
        std::lock_guard lock(mutex_);
        if (!waiting_.insert(date).second)
            return;
    }
    QPointer<SummaryKeeper> self(this);
    pool_.start([this, self, date] {
        {
            std::lock_guard lock(mutex_);
            waiting_.erase(date);
        }
        const SummaryUpdate update = summariseDays(dir_, {date});
        const QString text = update.error ? QString::fromStdString(*update.error) : QString();
        QMetaObject::invokeMethod(this, [self, text] {
            if (self)
                self->report(text);
        });
    });
}

void SummaryKeeper::waitForIdle() { pool_.waitForDone(); }

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
