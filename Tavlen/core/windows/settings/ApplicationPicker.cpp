#include "core/windows/settings/ApplicationPicker.h"

#include "core/windows/settings/EditorSymbols.h"
#include "settings/ApplicationFilter.h"
#include "sheet/view/AppIconView.h"
#include "sheet/view/SheetFont.h"
#include "store/DatabaseManager.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlen {

namespace {

constexpr int IconSize = 16;

// The chevron beside the title: a quarter turn while the list is closed, upright while open.
class Chevron final : public QWidget {
public:
    explicit Chevron(QWidget* parent) : QWidget(parent)
    {
        setFixedSize(14, 14);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void setOpen(bool open)
    {
        m_open = open;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        EditorSymbols::paint(painter, QRectF(rect()), QStringLiteral("chevron.down"), sheetFont(12),
                             palette().color(QPalette::ButtonText), m_open ? 0 : 90);
    }

private:
    bool m_open = false;
};

QPixmap iconPixmap(const std::optional<QString>& image)
{
    const QIcon icon = AppIconView::iconNamed(image);
    return icon.isNull() ? QPixmap() : icon.pixmap(IconSize, IconSize);
}

} // namespace

ApplicationPicker::ApplicationPicker(DatabaseManager& store, const ApplicationDirectory& applications,
                                     QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_applications(applications)
    , m_defaultElement(ApplicationFilter::defaultElement(applications))
    , m_selectedItem(m_defaultElement)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_button = new QPushButton(this);
    m_button->setFlat(true);
    auto* inside = new QHBoxLayout(m_button);
    inside->setContentsMargins(6, 2, 6, 2);
    inside->setSpacing(6);
    m_icon = new QLabel(m_button);
    m_icon->setFixedSize(IconSize, IconSize);
    m_title = new QLabel(m_button);
    m_chevron = new Chevron(m_button);
    for (QWidget* part : {static_cast<QWidget*>(m_icon), static_cast<QWidget*>(m_title)})
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
    inside->addWidget(m_icon);
    inside->addWidget(m_title);
    inside->addWidget(m_chevron);
    row->addWidget(m_button);
    row->addStretch(1);

    m_popover = new QFrame(this, Qt::Popup);
    m_popover->setFrameShape(QFrame::StyledPanel);
    m_popover->setFixedWidth(PopoverWidth);
    m_popover->installEventFilter(this);
    auto* stack = new QVBoxLayout(m_popover);
    stack->setContentsMargins(PopoverMargin, PopoverMargin, PopoverMargin, PopoverMargin);
    m_filter = new QLineEdit(m_popover);
    m_filter->setPlaceholderText(QStringLiteral("Filter"));
    m_filter->setClearButtonEnabled(true);
    m_list = new QListWidget(m_popover);
    m_list->setMaximumHeight(ListMaximumHeight);
    m_list->setIconSize(QSize(IconSize, IconSize));
    stack->addWidget(m_filter);
    stack->addWidget(m_list);

    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_expanded)
            close();
        else
            open();
    });
    connect(m_filter, &QLineEdit::textChanged, this, &ApplicationPicker::refreshList);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(m_list->row(item)); });
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { choose(m_list->row(item)); });
    // Return in the filter takes the first entry that is left.
    connect(m_filter, &QLineEdit::returnPressed, this, [this] {
        if (!m_listed.isEmpty())
            choose(0);
    });

    refreshButton();
}

ApplicationPicker::~ApplicationPicker() = default;

void ApplicationPicker::setSelectedItem(const AppItem& item)
{
    const bool changed = !(item == m_selectedItem);
    m_selectedItem = item;
    refreshButton();
    if (changed)
        Q_EMIT selectedItemChanged(m_selectedItem);
}

void ApplicationPicker::refreshButton()
{
    const QPixmap icon = iconPixmap(m_selectedItem.image);
    m_icon->setPixmap(icon);
    m_icon->setVisible(!icon.isNull());
    m_title->setText(m_selectedItem.title);
    m_button->setMinimumSize(m_button->layout()->sizeHint());
}

void ApplicationPicker::open()
{
    m_apps = ApplicationFilter::entries(m_store, m_applications);
    m_filter->clear();
    refreshList();
    m_popover->adjustSize();
    m_popover->move(m_button->mapToGlobal(QPoint(0, m_button->height())));
    m_popover->show();
    m_filter->setFocus();
    setExpanded(true);
}

void ApplicationPicker::close()
{
    m_popover->hide();
    setExpanded(false);
}

void ApplicationPicker::choose(int listedRow)
{
    if (listedRow < 0 || listedRow >= m_listed.size())
        return;
    const AppItem item = m_listed.at(listedRow);
    close();
    setSelectedItem(item);
}

void ApplicationPicker::refreshList()
{
    m_listed = ApplicationFilter::matching(m_apps, m_filter->text());
    m_list->clear();
    for (const AppItem& item : std::as_const(m_listed)) {
        auto* entry = new QListWidgetItem(item.title, m_list);
        const QPixmap icon = iconPixmap(item.image);
        if (!icon.isNull())
            entry->setIcon(QIcon(icon));
    }
}

void ApplicationPicker::setExpanded(bool expanded)
{
    if (m_expanded == expanded)
        return;
    m_expanded = expanded;
    static_cast<Chevron*>(m_chevron)->setOpen(expanded);
}

bool ApplicationPicker::eventFilter(QObject* watched, QEvent* event)
{
    // A pop-up also closes by a click elsewhere or by Escape.
    if (watched == m_popover && event->type() == QEvent::Hide)
        setExpanded(false);
    return QWidget::eventFilter(watched, event);
}

} // namespace tavlen
