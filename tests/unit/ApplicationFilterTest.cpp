#include "settings/ApplicationFilter.h"

#include "support/SheetRowFixture.h"

#include <gtest/gtest.h>

using namespace tavlen;

namespace {

class ApplicationFilterTest : public test::SheetRowFixture {
protected:
    static QStringList titles(const QList<AppItem>& items)
    {
        QStringList list;
        for (const AppItem& item : items)
            list.append(item.title);
        return list;
    }
};

TEST_F(ApplicationFilterTest, GlobalComesFirstThenTheStoredApplicationsByTitleWithTheirIcons)
{
    store.saveApp(QStringLiteral("org.example.Notebook"), QStringLiteral("Notebook"));
    store.saveApp(QStringLiteral("org.example.Editor"), QStringLiteral("Editor"));
    store.saveApp(QStringLiteral("global"), QStringLiteral("Global Custom Shortcuts"));
    applications.install({QStringLiteral("org.example.Editor"), QStringLiteral("Editor"),
                          QStringLiteral("/apps/org.example.Editor.desktop"),
                          QStringLiteral("accessories-text-editor")});

    const QList<AppItem> entries = ApplicationFilter::entries(store, applications);
    EXPECT_EQ(titles(entries), (QStringList{"Global Custom Shortcuts", "Editor", "Notebook"}));
    EXPECT_EQ(entries.at(0).identifier, QStringLiteral("global"));
    EXPECT_EQ(entries.at(0).image, std::nullopt);
    EXPECT_EQ(entries.at(1).image, QStringLiteral("accessories-text-editor"));
    EXPECT_EQ(entries.at(2).image, std::nullopt);
    EXPECT_EQ(entries.at(0), ApplicationFilter::defaultElement(applications));
}

TEST_F(ApplicationFilterTest, FilterMatchesTitlesWhateverTheirCaseGlobalIncluded)
{
    store.saveApp(QStringLiteral("org.example.Notebook"), QStringLiteral("Notebook"));
    store.saveApp(QStringLiteral("org.example.Books"), QStringLiteral("Ebook Reader"));
    store.saveApp(QStringLiteral("org.example.Editor"), QStringLiteral("Editor"));
    const QList<AppItem> entries = ApplicationFilter::entries(store, applications);

    EXPECT_EQ(titles(ApplicationFilter::matching(entries, QStringLiteral("BOOK"))),
              (QStringList{"Ebook Reader", "Notebook"}));
    EXPECT_EQ(titles(ApplicationFilter::matching(entries, QStringLiteral("custom"))),
              QStringList{"Global Custom Shortcuts"});
    EXPECT_EQ(titles(ApplicationFilter::matching(entries, QStringLiteral("ed"))), QStringList{"Editor"});
    EXPECT_TRUE(ApplicationFilter::matching(entries, QStringLiteral("zzz")).isEmpty());
    EXPECT_EQ(ApplicationFilter::matching(entries, QString()).size(), 4);
}

} // namespace
