#pragma once

#include "platform/MenuFixture.h"
#include "sheet/MenuItemViewModel.h"
#include "support/MenuFixtureBuilder.h"
#include "support/SheetRowFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

namespace tavlen::test {

inline const QString GEANY = QStringLiteral("geany");

// The row fixture with a frontmost application and sheet models over it.
class SheetViewFixture : public SheetRowFixture {
protected:
    // Geany, frontmost, with the menus recorded from the real application.
    void installGeany()
    {
        QFile file(QStringLiteral(TAVLEN_TEST_DATA_DIR "/menus/geany.json"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        install(menus::parsed(file.readAll()));
    }

    void install(const MenuFixture& fixture)
    {
        accessibility.addApplication(fixture);
        workspace.setFrontmostApplication(fixture.application);
    }

    // Geany's desktop entry with an icon file, so that the sheet has an application icon.
    void installGeanyIcon()
    {
        QImage icon(48, 48, QImage::Format_ARGB32);
        icon.fill(QColor(200, 40, 40));
        const QString path = iconDir.path() + QStringLiteral("/geany.png");
        ASSERT_TRUE(icon.save(path));
        applications.install({GEANY, QStringLiteral("Geany"), QStringLiteral("/apps/geany.desktop"), path});
    }

    MenuItemViewModel& loadedModel(qint64 forceAmountOfColumns = 0)
    {
        model = std::make_unique<MenuItemViewModel>(workspace, menuSource, store, settings, applications,
                                                    clock, forceAmountOfColumns);
        model->loadSheet();
        return *model;
    }

    void addCustom(const QString& appId, const QString& uuid, const QString& title, bool enabled = true)
    {
        ASSERT_EQ(
            store.saveCustomHotkey(appId, uuid, title, QStringLiteral("⌘ K"), 40, 0x100000, enabled, false)
                .outcome,
            StoreWrite::Outcome::Written);
    }

    // Lays a widget out at its size without putting it on a screen.
    static void layOut(QWidget& widget, QSize size = QSize(1152, 613))
    {
        widget.setAttribute(Qt::WA_DontShowOnScreen);
        widget.resize(size);
        widget.show();
        QCoreApplication::sendPostedEvents();
    }

    QTemporaryDir iconDir;
    std::unique_ptr<MenuItemViewModel> model;
};

} // namespace tavlen::test
