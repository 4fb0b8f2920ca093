// The start-up notice about a missing input method, against a made-up desktop.
#include "window/input_method_check.h"

#include <QMap>
#include <gtest/gtest.h>

namespace kavro::test {
namespace {

struct ImCase {
    const char* name;
    const char* qtModule; // nullptr: unset
    const char* xmodifiers;
    QStringList plugins;
    QStringList said; // words the notice must hold; empty: no notice at all
};
void PrintTo(const ImCase& c, std::ostream* os) { *os << c.name; }

const QStringList kPlainQt{"compose", "ibus"};
const QStringList kWithFcitx{"compose", "ibus", "fcitx", "fcitx5"};

class InputMethodNotice : public ::testing::TestWithParam<ImCase> {};

TEST_P(InputMethodNotice, NamesWhatIsMissingAndWhatToInstall) {
    const ImCase& c = GetParam();
    const auto environment = [&](const char* name) -> QString {
        const char* value = QByteArray(name) == "QT_IM_MODULE" ? c.qtModule
                            : QByteArray(name) == "XMODIFIERS" ? c.xmodifiers
                                                               : nullptr;
        return value ? QString::fromUtf8(value) : QString();
    };
    const QString notice = missingInputMethodNotice(environment, c.plugins);
    if (c.said.isEmpty()) {
        EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();
        return;
    }
    for (const QString& words : c.said)
        EXPECT_TRUE(notice.contains(words))
            << "\"" << notice.toStdString() << "\" lacks \"" << words.toStdString() << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, InputMethodNotice,
    ::testing::Values(
        ImCase{"NothingAsked", nullptr, nullptr, kPlainQt, {}},
        ImCase{"NoneAsked", "none", "@im=none", kPlainQt, {}},
        ImCase{"IbusThere", "ibus", "@im=ibus", kPlainQt, {}},
        ImCase{"FcitxThere", "fcitx", "@im=fcitx", kWithFcitx, {}},
        ImCase{"Fcitx5There", "FCITX5", nullptr, kWithFcitx, {}},
        ImCase{"UimHasNoQt6Plugin",
               "uim",
               "@im=uim",
               kPlainQt,
               {"uim", "ibus-mozc", "fcitx5-mozc", "im-config"}},
        ImCase{"FcitxWithoutItsQt6Frontend",
               "fcitx",
               "@im=fcitx",
               kPlainQt,
               {"fcitx", "fcitx5-frontend-qt6"}},
        ImCase{"QtsOwnVariableDecides", "ibus", "@im=uim", kPlainQt, {}},
        // Qt never talks to an X input method server: asked for there only, it is not used.
        ImCase{"OnlyTheXServerIsAskedFor", nullptr, "@im=ibus", kPlainQt, {"ibus", "im-config"}},
        ImCase{"OnlyTheXServerAndNoPlugin",
               nullptr,
               " @im=fcitx ",
               kPlainQt,
               {"fcitx5-frontend-qt6", "im-config"}}),
    [](const auto& row) { return std::string(row.param.name); });

// Qt's own plugins are found through their metadata and really load.
TEST(InputMethodPlugins, QtsOwnPluginsAreLoadable) {
    const QStringList keys = loadableInputContextPlugins();
    EXPECT_TRUE(keys.contains(QStringLiteral("compose"))) << keys.join(' ').toStdString();
    EXPECT_TRUE(keys.contains(QStringLiteral("ibus"))) << keys.join(' ').toStdString();
}

} // namespace
} // namespace kavro::test
