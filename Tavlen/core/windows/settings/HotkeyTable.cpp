#include "core/windows/settings/HotkeyTable.h"

#include "core/windows/settings/EditorSymbols.h"
#include "core/windows/settings/ModalKeyInputView.h"
#include "core/windows/settings/ShowKeyInputView.h"
#include "settings/AppSettings.h"
#include "settings/KeyRecorder.h"
#include "sheet/view/SheetFont.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavlen {

namespace {

constexpr double HeaderSymbolSize = 12;
constexpr int FooterIconSize = 16;

// Headers that show a pictogram instead of a title.
class PictogramHeader final : public QHeaderView {
public:
    using QHeaderView::QHeaderView;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
        const QVariant symbol =
            model()->headerData(logicalIndex, orientation(), HotkeyTableModel::SymbolRole);
        if (symbol.isValid())
            EditorSymbols::paint(*painter, QRectF(rect), symbol.toString(), sheetFont(HeaderSymbolSize),
                                 palette().color(QPalette::ButtonText));
    }
};

// The columns whose cells are widgets of their own: the table draws only their background.
class BackgroundOnlyDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features &= ~(QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay);
        option->text.clear();
    }

    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&) override
    {
        return false;
    }
};

QToolButton* footerButton(const QString& symbol, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(text);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setIcon(
        EditorSymbols::icon(symbol, FooterIconSize, parent->palette().color(QPalette::ButtonText)));
    button->setIconSize(QSize(FooterIconSize, FooterIconSize));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(HotkeyTable::FooterHeight, HotkeyTable::FooterHeight);
    return button;
}

} // namespace

HotkeyTable::HotkeyTable(const RowServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_model(services.databaseManager, services.appSettings, services.keyboard, services.notifications)
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, TopInset, 0, 0);
    stack->setSpacing(0);

    m_table = new QTableView(this);
    m_table->setHorizontalHeader(new PictogramHeader(Qt::Horizontal, m_table));
    m_table->setModel(&m_model);
    m_table->setShowGrid(true);
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_table->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(RowHeight);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(FlagColumnWidth);
    header->setSectionResizeMode(HotkeyTableModel::TitleColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(HotkeyTableModel::ShortcutColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(HotkeyTableModel::IsEnabledColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(HotkeyTableModel::IsBookmarkedColumn, QHeaderView::Fixed);
    header->resizeSection(HotkeyTableModel::ShortcutColumn, ShortcutColumnWidth);
    header->resizeSection(HotkeyTableModel::IsEnabledColumn, FlagColumnWidth);
    header->resizeSection(HotkeyTableModel::IsBookmarkedColumn, FlagColumnWidth);
    auto* cellBackground = new BackgroundOnlyDelegate(m_table);
    for (int column : {HotkeyTableModel::ShortcutColumn, HotkeyTableModel::IsEnabledColumn,
                       HotkeyTableModel::IsBookmarkedColumn})
        m_table->setItemDelegateForColumn(column, cellBackground);
    m_table->setFixedHeight(ScrollHeight);
    stack->addWidget(m_table);

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    stack->addWidget(separator);

    auto* footer = new QWidget(this);
    footer->setFixedHeight(FooterHeight);
    auto* footerRow = new QHBoxLayout(footer);
    footerRow->setContentsMargins(0, 0, 0, 0);
    footerRow->setSpacing(0);
    m_addButton = footerButton(QStringLiteral("plus"), QStringLiteral("Add new"), footer);
    m_message = new QLabel(footer);
    m_message->setIndent(6);
    m_deleteButton = footerButton(QStringLiteral("minus"), QStringLiteral("Delete selected"), footer);
    m_deleteButton->hide();
    footerRow->addWidget(m_addButton);
    footerRow->addWidget(m_message, 1);
    footerRow->addWidget(m_deleteButton);
    stack->addWidget(footer);

    connect(m_addButton, &QToolButton::clicked, this, &HotkeyTable::newItem);
    connect(m_deleteButton, &QToolButton::clicked, this, &HotkeyTable::deleteItem);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        m_model.headerClicked(column);
        m_table->viewport()->update();
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HotkeyTable::selectionChanged);
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] {
        buildCells(0, m_model.rowCount() - 1);
        selectionChanged();
    });
    connect(&m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { buildCells(first, last); });
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, [this] { selectionChanged(); });
    connect(&m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                    updateRow(row);
                setMessage({});
            });
    connect(&m_model, &HotkeyTableModel::renameRefused, this, [this](int, const QString& title) {
        setMessage(QStringLiteral("Another shortcut here is already named \u201C%1\u201D.").arg(title));
    });

    buildCells(0, m_model.rowCount() - 1);
}

HotkeyTable::~HotkeyTable()
{
    // The recorder's window goes with the table; the model ends the handshake on its own.
    delete m_recorder;
}

void HotkeyTable::setAppSelected(const QString& identifier)
{
    setMessage({});
    m_model.setAppSelected(identifier);
}

void HotkeyTable::buildCells(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        m_table->setIndexWidget(m_model.index(row, HotkeyTableModel::ShortcutColumn), shortcutCell(row));
        m_table->setIndexWidget(m_model.index(row, HotkeyTableModel::IsEnabledColumn),
                                checkBoxCell(row, HotkeyTableModel::IsEnabledColumn));
        m_table->setIndexWidget(m_model.index(row, HotkeyTableModel::IsBookmarkedColumn),
                                checkBoxCell(row, HotkeyTableModel::IsBookmarkedColumn));
    }
}

void HotkeyTable::updateRow(int row)
{
    if (row < 0 || row >= m_model.rowCount())
        return;
    m_table->setIndexWidget(m_model.index(row, HotkeyTableModel::ShortcutColumn), shortcutCell(row));
    for (int column : {HotkeyTableModel::IsEnabledColumn, HotkeyTableModel::IsBookmarkedColumn}) {
        if (QCheckBox* box = checkBox(row, column)) {
            const QSignalBlocker blocker(box);
            box->setChecked(m_model.index(row, column).data(Qt::CheckStateRole).toInt() == Qt::Checked);
        }
    }
}

QWidget* HotkeyTable::shortcutCell(int row)
{
    const ManualHotkey& hotkey = m_model.hotkeys().at(row);
    auto* cell = new QWidget;
    auto* button = new QPushButton(cell);
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    if (hotkey.keys && hotkey.keys->keyCode) {
        button->setGeometry(0, 2, 150, 24);
        const QString keyText =
            KeyRecorder::keyText(*hotkey.keys->keyCode, m_services.appSettings.showLocalizedCustomShortcuts(),
                                 m_services.keyboard);
        auto* display = new ShowKeyInputView(*hotkey.keys, keyText, true, button);
        display->setGeometry(button->rect());
        button->setToolTip(hotkey.trigger);
    } else {
        button->setGeometry(0, 6, 150, 16);
        button->setText(hotkey.trigger);
    }
    const QPersistentModelIndex index = m_model.index(row, HotkeyTableModel::ShortcutColumn);
    connect(button, &QPushButton::clicked, this, [this, index] {
        if (index.isValid())
            showModal(index.row());
    });
    return cell;
}

QWidget* HotkeyTable::checkBoxCell(int row, int column)
{
    auto* cell = new QWidget;
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* box = new QCheckBox(cell);
    box->setFocusPolicy(Qt::NoFocus);
    box->setChecked(m_model.index(row, column).data(Qt::CheckStateRole).toInt() == Qt::Checked);
    layout->addWidget(box, 0, Qt::AlignCenter);
    const QPersistentModelIndex index = m_model.index(row, column);
    connect(box, &QCheckBox::toggled, this, [this, index, column](bool on) {
        if (!index.isValid())
            return;
        if (column == HotkeyTableModel::IsEnabledColumn)
            m_model.setActive(index.row(), on);
        else
            m_model.setBookmarked(index.row(), on);
    });
    return cell;
}

QAbstractButton* HotkeyTable::shortcutButton(int row) const
{
    if (row < 0 || row >= m_model.rowCount())
        return nullptr;
    QWidget* cell = m_table->indexWidget(m_model.index(row, HotkeyTableModel::ShortcutColumn));
    return cell ? cell->findChild<QAbstractButton*>() : nullptr;
}

QCheckBox* HotkeyTable::checkBox(int row, int column) const
{
    if (row < 0 || row >= m_model.rowCount())
        return nullptr;
    QWidget* cell = m_table->indexWidget(m_model.index(row, column));
    return cell ? cell->findChild<QCheckBox*>() : nullptr;
}

void HotkeyTable::selectRow(int row)
{
    if (row < 0 || row >= m_model.rowCount())
        m_table->clearSelection();
    else
        m_table->selectRow(row);
}

void HotkeyTable::selectionChanged()
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    m_selectedRow = rows.isEmpty() ? -1 : rows.constFirst().row();
    m_deleteButton->setVisible(m_selectedRow >= 0);
}

bool HotkeyTable::isDeleteButtonShown() const
{
    return !m_deleteButton->isHidden();
}

QString HotkeyTable::message() const
{
    return m_message->text();
}

void HotkeyTable::setMessage(const QString& text)
{
    m_message->setText(text);
}

void HotkeyTable::newItem()
{
    setMessage({});
    const int row = m_model.addHotkey();
    m_table->viewport()->update();
    m_table->scrollTo(m_model.index(row, HotkeyTableModel::TitleColumn));
}

void HotkeyTable::deleteItem()
{
    if (m_selectedRow < 0)
        return;
    setMessage({});
    m_model.deleteHotkey(m_selectedRow);
    m_table->clearSelection();
    selectionChanged();
}

void HotkeyTable::showModal(int row)
{
    if (m_recorder || !m_model.openRecorder(row))
        return;
    m_recorder = new ModalKeyInputView(
        m_services.keyboard,
        [this](bool applied, std::optional<KeyInput> result) {
            // The recorder has closed its window by now; it goes once its own call is over.
            if (m_recorder)
                m_recorder->deleteLater();
            m_recorder = nullptr;
            m_model.closeRecorder(applied, result);
            m_table->viewport()->update();
        },
        this);
    m_recorder->adjustSize();
    const QRect area = window()->geometry();
    m_recorder->move(area.center() - m_recorder->rect().center());
    m_recorder->show();
    m_recorder->raise();
    m_recorder->activateWindow();
}

} // namespace tavlen
