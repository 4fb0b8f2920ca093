#include "app/purge_question.h"

#include "app/message_titles.h"

namespace kavro {

namespace {

QString dateText(Date date) { return QString::fromStdString(formatDate(date)); }

} // namespace

PurgeConsent askBeforePurge(const Platform& platform, const PurgePlan& plan, DateTime now) {
    const QString lastDay = plan.lastDayWorked
                                ? QStringLiteral("最後に記録のある営業日は %1 です。")
                                      .arg(dateText(*plan.lastDayWorked))
                                : QStringLiteral("記録のある営業日が見つかりません。");
    const QString question =
        QStringLiteral("パソコンの時計が進みすぎているおそれがあります。\r\n"
                       "%1\r\n今日の日付 %2 は正しいですか？\r\n"
                       "「はい」のときは、30日以上前の日付ファイルを削除します。")
            .arg(lastDay, dateText(dateOf(now)));
    if (platform.ask(title::kClock, question))
        return PurgeConsent::ConfirmedByDesk;
    platform.message(
        title::kClock,
        QStringLiteral("パソコンの時計を正しい日付に合わせてから、もう一度起動してください。"
                       "古い日付ファイルは削除していません。"));
    return PurgeConsent::IfClockTrusted;
}

} // namespace kavro
