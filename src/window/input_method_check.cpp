#include "window/input_method_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

namespace kavro {

namespace {

bool isFcitx(const QString& method) {
    return method == QLatin1String("fcitx") || method == QLatin1String("fcitx5");
}

// What to install so that Qt 6 reaches the method; empty when nothing of Qt's provides it.
QString pluginPackage(const QString& method) {
    if (isFcitx(method))
        return QStringLiteral("fcitx5-frontend-qt6");
    if (method == QLatin1String("ibus"))
        return QStringLiteral("libqt6gui6");
    return {};
}

} // namespace

QString missingInputMethodNotice(const EnvironmentLookup& environment,
                                 const QStringList& loadablePlugins) {
    // Qt reads QT_IM_MODULE only. XMODIFIERS ("@im=NAME") names an X input method server,
    // which other toolkits reach but Qt 6 never does: the method is then asked for in vain.
    QString method = environment("QT_IM_MODULE").trimmed().toLower();
    const bool onlyXim = method.isEmpty();
    if (onlyXim) {
        const QString modifiers = environment("XMODIFIERS").trimmed();
        const QString prefix = QStringLiteral("@im=");
        if (modifiers.startsWith(prefix))
            method = modifiers.mid(prefix.size()).trimmed().toLower();
    }
    if (method.isEmpty() || method == QLatin1String("none") || method == QLatin1String("compose"))
        return {};
    const bool pluginThere = loadablePlugins.contains(method, Qt::CaseInsensitive);
    if (pluginThere && !onlyXim)
        return {};

    QString text =
        QStringLiteral("デスクトップは日本語入力に %1 を使う設定ですが、このプログラムでは "
                       "%1 を使えません。このままでは名前をローマ字でしか入力できません。"
                       "\r\n")
            .arg(method);
    const QString package = pluginPackage(method);
    if (package.isEmpty())
        return text + QStringLiteral("ibus-mozc（または fcitx5-mozc と fcitx5-frontend-qt6）を"
                                     "インストールし、im-config で切り替えてください。");
    if (!pluginThere)
        text += QStringLiteral("%1 をインストールしてください。").arg(package);
    if (onlyXim)
        text += QStringLiteral("im-config で %1 を選び直し、ログインし直してください。")
                    .arg(isFcitx(method) ? QStringLiteral("fcitx5") : method);
    return text;
}

QStringList loadableInputContextPlugins() {
    QStringList keys;
    for (const QString& dir : QCoreApplication::libraryPaths()) {
        const QDir plugins(dir + QStringLiteral("/platforminputcontexts"));
        for (const QString& file : plugins.entryList(QDir::Files)) {
            QPluginLoader loader(plugins.filePath(file));
            const QJsonArray pluginKeys = loader.metaData()
                                              .value(QStringLiteral("MetaData"))
                                              .toObject()
                                              .value(QStringLiteral("Keys"))
                                              .toArray();
            if (pluginKeys.isEmpty() || !loader.load())
                continue;
            for (const auto& key : pluginKeys)
                keys << key.toString().toLower();
        }
    }
    return keys;
}

} // namespace kavro
