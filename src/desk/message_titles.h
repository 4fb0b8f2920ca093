#pragma once
// The titles of the window's message boxes: each kind of message always has the same one.
#include <QString>

namespace kavro::title {

inline const QString kInputError = QStringLiteral("入力エラー");       // the user can correct it
inline const QString kFileError = QStringLiteral("ファイルエラー");    // the disk or the file
inline const QString kDateLimit = QStringLiteral("期日オーバー");      // a day too far back
inline const QString kOddLines = QStringLiteral("日付ファイルの確認"); // lines kept unread
inline const QString kOddSummaryLines = QStringLiteral("集計ファイルの確認"); // the same there
inline const QString kClock = QStringLiteral("時計の確認");                   // a clock not trusted
inline const QString kDayChange = QStringLiteral("日替わり");                 // the 06:00 switch
inline const QString kUndo = QStringLiteral("元に戻す");
inline const QString kRedo = QStringLiteral("やり直す");
inline const QString kJournal = QStringLiteral("履歴");
inline const QString kRates = QStringLiteral("料金設定"); // the rate file
inline const QString kSales = QStringLiteral("売上");     // the sales file

} // namespace kavro::title
