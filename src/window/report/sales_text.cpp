#include "window/report/sales_text.h"

#include "window/bill_words.h"

#include <QLocale>

namespace kavro {

namespace {

QString ratioText(const std::optional<double>& ratio) {
    return ratio ? QString::number(*ratio, 'f', 1) + QLatin1Char('%') : QStringLiteral("—");
}

QString grouped(const std::string& number) {
    bool ok = false;
    const qlonglong n = QString::fromStdString(number).toLongLong(&ok);
    return ok ? QLocale(QLocale::Japanese).toString(n) : QString::fromStdString(number);
}

} // namespace

QString salesTotalsLine(const ReportSales& s) {
    if (s.source == SalesSource::None)
        return {};
    const Takings& now = s.current.total;
    QString line = QStringLiteral("売上 %1（%2組・客単価 %3）")
                       .arg(yenText(now.amount))
                       .arg(now.parties)
                       .arg(yenText(now.perParty()));
    if (s.current.discountAmount > 0)
        line += QStringLiteral("　値引 %1").arg(yenText(s.current.discountAmount));
    line += QStringLiteral("　前期 %1　前期比 %2")
                .arg(yenText(s.previous.total.amount),
                     ratioText(againstPrevious(now.amount, s.previous.total.amount)));
    return line;
}

QStringList salesNoteLines(const ReportSales& s) {
    QStringList notes;
    if (s.error)
        notes << QStringLiteral("売上ファイルを読み込めません。%1")
                     .arg(QString::fromStdString(*s.error));
    if (s.source == SalesSource::Summary)
        notes << QStringLiteral("売上は集計ファイルに残る日ごとの記録です（部屋別・時間帯別は"
                                "売上ファイルがないため表示できません）。");
    return notes;
}

QStringList salesTableHeaders() {
    QStringList headers;
    for (const auto& h : salesHeader())
        headers << QString::fromStdString(h);
    return headers;
}

std::vector<QStringList> salesTableRows(const ReportSales& s) {
    std::vector<QStringList> out;
    for (const SalesRow& row : salesRows(s)) {
        QStringList cells;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c == 7)
                cells << (row[c].empty() ? QStringLiteral("—")
                                         : QString::fromStdString(row[c]) + QLatin1Char('%'));
            else if (c >= 2)
                cells << grouped(row[c]);
            else
                cells << QString::fromStdString(row[c]);
        }
        out.push_back(cells);
    }
    return out;
}

} // namespace kavro
