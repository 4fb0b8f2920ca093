#include "window/qt_japanese.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace kavro {
namespace {

TEST(QtJapanese, TurnsQtsOwnButtonsJapanese) {
    const auto translator = loadQtJapanese();
    ASSERT_TRUE(translator) << "Qt's Japanese translations (qt6-translations-l10n) not found";
    ASSERT_TRUE(QCoreApplication::installTranslator(translator.get()));
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    const QString cancel = box.button(QDialogButtonBox::Cancel)->text();
    const QString save = box.button(QDialogButtonBox::Save)->text();
    QCoreApplication::removeTranslator(translator.get());
    EXPECT_EQ(cancel.toStdString(), "キャンセル");
    EXPECT_EQ(save.toStdString(), "保存");
}

} // namespace
} // namespace kavro
