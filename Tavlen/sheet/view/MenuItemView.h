#pragma once

#include "sheet/RowServices.h"
#include "sheet/SheetLayout.h"
#include "sheet/view/RowContentView.h"

#include <QList>
#include <QWidget>
#include <memory>
#include <utility>

class QGridLayout;
class QLabel;
class QScrollArea;

namespace tavlen {

class CreditsView;
class HoverableCustomItemView;
class HoverableItemView;
class MenuItemViewModel;
class SectionHeaderView;

// The shortcut sheet: the model's groups in menu columns, the custom shortcuts in the grid
// cell after them, the credits line below. It draws what the model's layout places and never
// measures rows to decide where a group goes. The model loads once, when the sheet first comes
// on screen (or when the caller loads it beforehand); every later change of the model's
// `loaded` rebuilds the grid.
class MenuItemView : public QWidget {
    Q_OBJECT
public:
    // Over a model the caller keeps alive. `visibleAreaSize`: 0.7 × the main screen's visible
    // height, the height up to which the sheet does not scroll.
    MenuItemView(MenuItemViewModel& model, const RowServices& services, double visibleAreaSize,
                 QWidget* parent = nullptr);

    // A sheet with a model of its own, for a main screen whose visible frame is
    // `visibleFrameHeight` high (none without a screen). When custom shortcuts are enabled, the
    // settings first find out again whether the CustomShortcuts application is installed, for
    // the rows' "Customize".
    static MenuItemView* create(const RowServices& services, qint64 forceAmountOfColumns,
                                std::optional<double> visibleFrameHeight, QWidget* parent = nullptr);

    MenuItemViewModel& viewModel() { return m_model; }
    double visibleAreaSize() const { return m_visibleAreaSize; }
    double scrollViewSize() const { return m_scrollViewSize; }
    // Whether the wheel and the touchpad move the sheet: when it was given the visible area or
    // more, and always when its content is taller than the room it has, so that no entry is out
    // of reach.
    bool isScrollingEnabled() const;
    bool contentOverflows() const;
    // The height the sheet needs to show everything without scrolling.
    int preferredHeight() const;

    // A page towards the end (`direction` > 0) or the start, from row edge to row edge: the
    // row cut by the bottom of the room comes to its top, or the row at its top to its bottom,
    // so that every row is seen whole on one page or the next.
    void scrollPage(int direction);
    void scrollToEnd(bool end);

    // Loads the model if it has not loaded yet, as coming on screen does.
    void loadSheet();

    // What the grid shows now.
    const SheetLayout& sheetLayout() const { return m_layout; }
    const QList<SectionHeaderView*>& headers() const { return m_headers; }
    const QList<HoverableItemView*>& elementRows() const { return m_elementRows; }
    const QList<HoverableCustomItemView*>& customRows() const { return m_customRows; }
    CreditsView* creditsView() const { return m_credits; }
    // The line saying why the menus may be incomplete; hidden when there is nothing to say.
    QLabel* noticeLabel() const { return m_notice; }
    // The line saying why the sheet shows nothing; null while it shows something.
    QLabel* emptyReasonLabel() const { return m_emptyReason; }
    // The grid cell of a menu column (or, at columnsAmount, the custom column); null if absent.
    QWidget* cellWidget(qint64 row, qint64 column) const;
    QScrollArea* scrollArea() const { return m_scrollArea; }

Q_SIGNALS:
    // The grid was built again, and with it the height the sheet needs.
    void rebuilt();
    // The height the sheet needs changed without a rebuild (titles wrapped at their width).
    void preferredHeightChanged();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    RowContentOptions rowOptions() const;
    // The top and bottom of every heading and row, in the grid's coordinates, top to bottom.
    QList<std::pair<int, int>> rowSpans() const;
    QWidget* menuColumn(const SheetMenuColumn& column, const RowContentOptions& options);
    QWidget* customColumn(const SheetCustomColumn& column, const RowContentOptions& options);

    MenuItemViewModel& m_model;
    RowServices m_services;
    double m_visibleAreaSize;
    double m_scrollViewSize = 0;
    bool m_appeared = false;
    int m_announcedHeight = 0;

    QLabel* m_notice;
    QLabel* m_emptyReason = nullptr;
    QScrollArea* m_scrollArea;
    QWidget* m_grid = nullptr;
    CreditsView* m_credits = nullptr;
    SheetLayout m_layout;
    QList<SectionHeaderView*> m_headers;
    QList<HoverableItemView*> m_elementRows;
    QList<HoverableCustomItemView*> m_customRows;
};

} // namespace tavlen
