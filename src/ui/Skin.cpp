// SPDX-License-Identifier: Apache-2.0
#include "ui/Skin.h"

#include <QApplication>
#include <QFile>

// Resources of a static library must be registered by hand, from outside any
// namespace.
static void initSkinResources()
{
    Q_INIT_RESOURCE(skins);
}

namespace kestra::ui {

namespace {

struct SkinState {
    bool initialised = false;
    QString loadedSheet;
    bool loaded = false;
};

// Why a global: the skin is a style sheet set on the application, one per
// process, and the resources are registered once per process; the state says
// which sheet the application wears. GUI thread only.
SkinState& state()
{
    static SkinState skin;
    return skin;
}

} // namespace

void InitSkinEngine()
{
    if (state().initialised)
        return;
    initSkinResources();
    state().initialised = true;
}

SkinResult LoadSkin(int id)
{
    SkinState& skin = state();
    skin.loaded = false;
    skin.loadedSheet.clear();
    if (!skin.initialised)
        return {QStringLiteral("the skin engine is not initialised")};
    QFile file(QStringLiteral(":/skins/skin%1.qss").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("skin %1 is not in the resources").arg(id)};
    const QByteArray bytes = file.readAll();
    if (bytes.trimmed().isEmpty())
        return {QStringLiteral("skin %1 is empty").arg(id)};
    skin.loadedSheet = QString::fromUtf8(bytes);
    skin.loaded = true;
    return {};
}

SkinResult SelectDialogStyle(const QString& styleName)
{
    const SkinState& skin = state();
    if (!skin.loaded)
        return {QStringLiteral("no skin is loaded")};
    if (styleName != QLatin1String("Dialog"))
        return {QStringLiteral("the skin has no style \"%1\"").arg(styleName)};
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application)
        return {QStringLiteral("no widget application to apply the skin to")};
    application->setStyleSheet(skin.loadedSheet);
    return {};
}

void UnloadSkin()
{
    state().loaded = false;
    state().loadedSheet.clear();
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
        application->setStyleSheet(QString());
}

} // namespace kestra::ui
