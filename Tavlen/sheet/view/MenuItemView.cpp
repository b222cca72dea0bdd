#include "sheet/view/MenuItemView.h"

#include "settings/AppSettings.h"
#include "settings/SettingsValueLists.h"
#include "sheet/EmptySheetReason.h"
#include "sheet/LimitedTitle.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/view/AppIconView.h"
#include "sheet/view/CreditsView.h"
#include "sheet/view/HoverableCustomItemView.h"
#include "sheet/view/HoverableItemView.h"
#include "sheet/view/RowStackView.h"
#include "sheet/view/SectionHeaderView.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace tavlen {

namespace {
constexpr int columnSpacing = 50;
constexpr int gridRowSpacing = 16;
constexpr int minimumColumnWidth = 10;
constexpr int scrollLeadingPadding = 10;

// Headings come from other applications too: one of any length would push its whole column out
// of view. They are cut where the longest title limit the settings offer cuts rows.
QString headingTitle(const QString& title)
{
    return limitedTitle(title, true, SettingsValueLists::limitTitlesScale().maximum);
}

QVBoxLayout* stackLayout(QWidget* owner)
{
    auto* stack = new QVBoxLayout(owner);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    return stack;
}
} // namespace

MenuItemView::MenuItemView(MenuItemViewModel& model, const RowServices& services, double visibleAreaSize,
                           QWidget* parent)
    : QWidget(parent), m_model(model), m_services(services), m_visibleAreaSize(visibleAreaSize)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setContentsMargins(scrollLeadingPadding + 10, 6, 20, 0);
    m_notice->setForegroundRole(QPalette::PlaceholderText);
    m_notice->hide();
    outer->addWidget(m_notice);

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A thin bar, there only while there is more than the room shows: the sign that there is more.
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollArea->verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { width: 6px; background: transparent; margin: 2px 1px 2px 0; }"
        "QScrollBar::handle:vertical { background: rgba(128, 128, 128, 140); border-radius: 2px;"
        " min-height: 24px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }"));
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->viewport()->setAutoFillBackground(false);
    m_scrollArea->viewport()->installEventFilter(this);
    outer->addWidget(m_scrollArea, 1);

    if (services.appSettings.showCredits()) {
        m_credits = new CreditsView(services.appSettings, services.notifications, this);
        outer->addWidget(m_credits, 0, Qt::AlignHCenter);
    }

    connect(&m_model, &MenuItemViewModel::loadedChanged, this, &MenuItemView::rebuild);
    rebuild();
}

MenuItemView* MenuItemView::create(const RowServices& services, qint64 forceAmountOfColumns,
                                   std::optional<double> visibleFrameHeight, QWidget* parent)
{
    if (services.appSettings.enableCustomShortcuts())
        services.appSettings.refreshCustomShortcutsAvailable();
    auto* model = new MenuItemViewModel(services.workspace, services.menus, services.databaseManager,
                                        services.appSettings, services.applications, services.clock,
                                        forceAmountOfColumns);
    auto* view = new MenuItemView(*model, services, tavlen::visibleAreaSize(visibleFrameHeight), parent);
    model->setParent(view);
    return view;
}

bool MenuItemView::isScrollingEnabled() const
{
    return scrollingEnabled(m_scrollViewSize, m_visibleAreaSize) || contentOverflows();
}

bool MenuItemView::contentOverflows() const
{
    return m_grid != nullptr && m_grid->sizeHint().height() > m_scrollArea->viewport()->height();
}

int MenuItemView::preferredHeight() const
{
    int height = 0;
    if (m_grid != nullptr) {
        // At the width the sheet has, titles wrap only where a column is too narrow for them.
        const int width = m_scrollArea->viewport()->width();
        height = m_grid->sizeHint().height();
        if (m_grid->hasHeightForWidth() && width > 0)
            height = std::max(height, m_grid->heightForWidth(width));
    }
    if (!m_notice->isHidden())
        height += m_notice->sizeHint().height();
    if (m_credits != nullptr)
        height += m_credits->sizeHint().height();
    return height;
}

QList<std::pair<int, int>> MenuItemView::rowSpans() const
{
    QList<std::pair<int, int>> spans;
    if (m_grid == nullptr)
        return spans;
    const auto add = [&](const QWidget* row) {
        const QPoint top = row->mapTo(m_grid, QPoint(0, 0));
        spans.append({top.y(), top.y() + row->height()});
    };
    for (const SectionHeaderView* header : m_headers)
        add(header);
    for (const HoverableItemView* row : m_elementRows)
        add(row);
    for (const HoverableCustomItemView* row : m_customRows)
        add(row);
    std::sort(spans.begin(), spans.end());
    return spans;
}

void MenuItemView::scrollPage(int direction)
{
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    const int room = m_scrollArea->viewport()->height();
    const int top = bar->value();
    const QList<std::pair<int, int>> spans = rowSpans();
    int target = direction > 0 ? top + room : top - room;
    if (direction > 0) {
        // The first row that does not end inside the room starts the next page.
        for (const auto& [rowTop, rowBottom] : spans) {
            if (rowBottom > top + room) {
                if (rowTop > top)
                    target = rowTop;
                break;
            }
        }
    } else {
        // The first row seen whole ends the previous page.
        for (const auto& [rowTop, rowBottom] : spans) {
            if (rowTop < top)
                continue;
            for (const auto& [earlierTop, earlierBottom] : spans) {
                if (earlierTop >= rowBottom - room) {
                    if (earlierTop < top)
                        target = earlierTop;
                    break;
                }
            }
            break;
        }
    }
    bar->setValue(std::clamp(target, bar->minimum(), bar->maximum()));
}

void MenuItemView::scrollToEnd(bool end)
{
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    bar->setValue(end ? bar->maximum() : bar->minimum());
}

void MenuItemView::loadSheet()
{
    m_model.loadSheet();
}

void MenuItemView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_appeared)
        return;
    m_appeared = true;
    m_scrollViewSize = m_scrollArea->height();
    if (!m_model.loaded())
        m_model.loadSheet();
}

bool MenuItemView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::LayoutRequest) {
        const bool handled = QWidget::eventFilter(watched, event);
        const int height = preferredHeight();
        if (height != m_announcedHeight) {
            m_announcedHeight = height;
            Q_EMIT preferredHeightChanged();
        }
        return handled;
    }
    if (watched == m_emptyReason && event->type() == QEvent::Resize) {
        const int needed = m_emptyReason->heightForWidth(m_emptyReason->width());
        if (needed > m_emptyReason->minimumHeight())
            m_emptyReason->setMinimumHeight(needed);
    }
    // A sheet lower than the visible area shows everything; wheel turns must not shift it.
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Wheel && !isScrollingEnabled())
        return true;
    return QWidget::eventFilter(watched, event);
}

RowContentOptions MenuItemView::rowOptions() const
{
    const AppSettings& settings = m_services.appSettings;
    RowContentOptions options;
    options.fontSize = settings.fontSize();
    options.showHotkeyOnTheRight = settings.showHotkeyOnTheRight();
    options.showBookmarks = settings.showBookmarks();
    options.applyLimitToTitles = settings.applyLimitToTitles();
    options.limitTitles = settings.limitTitles();
    return options;
}

QWidget* MenuItemView::cellWidget(qint64 row, qint64 column) const
{
    if (m_grid == nullptr)
        return nullptr;
    auto* grid = static_cast<QGridLayout*>(m_grid->layout());
    QLayoutItem* item = grid->itemAtPosition(static_cast<int>(row), static_cast<int>(column));
    return item != nullptr ? item->widget() : nullptr;
}

void MenuItemView::rebuild()
{
    m_headers.clear();
    m_emptyReason = nullptr;
    m_elementRows.clear();
    m_customRows.clear();
    if (QWidget* old = m_scrollArea->takeWidget())
        old->deleteLater();

    const AppSettings& settings = m_services.appSettings;
    SheetLayoutOptions layoutOptions;
    layoutOptions.showAppIcon = settings.showAppIcon();
    layoutOptions.showInactiveMenu = settings.showInactiveMenu();
    layoutOptions.showCredits = settings.showCredits();
    layoutOptions.fontSize = settings.fontSize();
    const SheetContent content = m_model.content();
    m_layout = layOutSheet(content, layoutOptions);
    m_notice->setText(content.notice);
    m_notice->setVisible(!content.notice.isEmpty());

    m_grid = new QWidget;
    m_grid->setAutoFillBackground(false);
    auto* grid = new QGridLayout(m_grid);
    // 10 of the leading margin are the scrolling area's own padding, the rest the grid's.
    grid->setContentsMargins(scrollLeadingPadding + 10, 10, 20, 5);
    grid->setHorizontalSpacing(columnSpacing);
    grid->setVerticalSpacing(gridRowSpacing);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    for (int c = 0; c < m_layout.gridColumns; ++c) {
        grid->setColumnStretch(c, 1);
        grid->setColumnMinimumWidth(c, minimumColumnWidth);
    }

    const RowContentOptions options = rowOptions();
    // An empty sheet says why, below its application's name, rather than stay a blank box.
    if (const std::optional<QString> reason = emptySheetReason(content, m_layout)) {
        const QString heading =
            content.appTitle.isEmpty()
                ? (content.bundleIdentifier.isEmpty() ? QStringLiteral("Tavlen") : content.bundleIdentifier)
                : content.appTitle;
        std::optional<QString> icon;
        if (!m_layout.menuColumns.isEmpty() && !m_layout.menuColumns.front().sections.isEmpty())
            icon = m_layout.menuColumns.front().sections.front().icon;
        auto* stack = new QWidget(m_grid);
        QVBoxLayout* lines = stackLayout(stack);
        auto* header = new SectionHeaderView(headingTitle(heading), options.fontSize,
                                             AppIconView::iconNamed(icon), stack);
        m_headers.append(header);
        m_emptyReason = new QLabel(*reason, stack);
        m_emptyReason->setWordWrap(true);
        // The grid gives a cell the height its hint asks, which for wrapping text is a guess:
        // the line claims the height its lines take at the width it was given.
        m_emptyReason->installEventFilter(this);
        lines->addWidget(header);
        lines->addWidget(m_emptyReason);
        // The whole width of the sheet, so that the reason wraps only where it must.
        grid->addWidget(stack, 0, 0, 1, std::max(1, static_cast<int>(m_layout.gridColumns)));
    } else {
        // A column's rows take the column's whole width: aligned left, they would keep the width
        // a title asks for, and long titles would wrap beside room left unused.
        for (const SheetMenuColumn& column : m_layout.menuColumns)
            grid->addWidget(menuColumn(column, options), static_cast<int>(column.cell.row),
                            static_cast<int>(column.cell.column), Qt::AlignTop);
        if (m_layout.customColumn)
            grid->addWidget(customColumn(*m_layout.customColumn, options),
                            static_cast<int>(m_layout.customColumn->cell.row),
                            static_cast<int>(m_layout.customColumn->cell.column), Qt::AlignTop);
    }
    grid->setRowStretch(static_cast<int>(m_layout.gridRows), 1);
    m_scrollArea->setWidget(m_grid);
    m_grid->installEventFilter(this);
    m_announcedHeight = preferredHeight();
    Q_EMIT rebuilt();
}

QWidget* MenuItemView::menuColumn(const SheetMenuColumn& column, const RowContentOptions& options)
{
    auto* cell = new QWidget;
    QVBoxLayout* stack = stackLayout(cell);
    const MenuItemViewModel& model = m_model;
    for (const SheetSection& section : column.sections) {
        auto* header = new SectionHeaderView(headingTitle(section.title), options.fontSize,
                                             AppIconView::iconNamed(section.icon), cell);
        stack->addWidget(header);
        m_headers.append(header);
        if (section.rows.isEmpty())
            continue;
        auto* rows = new RowStackView(cell);
        for (const SheetRow& row : section.rows) {
            auto* view =
                new HoverableItemView(model.appTitle(), model.bundleIdentifier(), row.element, row.bookmarked,
                                      row.hidden, row.hiddenGlobally, m_services, options);
            rows->addRow(view);
            m_elementRows.append(view);
        }
        stack->addWidget(rows);
    }
    return cell;
}

QWidget* MenuItemView::customColumn(const SheetCustomColumn& column, const RowContentOptions& options)
{
    auto* cell = new QWidget;
    QVBoxLayout* stack = stackLayout(cell);
    for (const SheetCustomSection& section : column.sections) {
        auto* header = new SectionHeaderView(headingTitle(section.title), options.fontSize, QIcon(), cell);
        stack->addWidget(header);
        m_headers.append(header);
        auto* rows = new RowStackView(cell);
        for (const SheetCustomRow& row : section.rows) {
            auto* view = new HoverableCustomItemView(section.appTitle, section.appIdentifier, row.item,
                                                     row.bookmarked, row.hidden, m_services, options);
            rows->addRow(view);
            m_customRows.append(view);
        }
        stack->addWidget(rows);
    }
    return cell;
}

} // namespace tavlen
