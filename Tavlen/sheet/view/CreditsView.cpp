#include "sheet/view/CreditsView.h"

#include "platform/NotificationCenter.h"
#include "platform/NotificationNames.h"
#include "settings/AppSettings.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace tavlen {

namespace {
constexpr double buttonFontSize = 16;

// A flat button showing one pictogram.
QToolButton* symbolButton(SymbolView* symbol, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    auto* inside = new QHBoxLayout(button);
    inside->setContentsMargins(0, 0, 0, 0);
    symbol->setParent(button);
    symbol->setAttribute(Qt::WA_TransparentForMouseEvents);
    inside->addWidget(symbol, 0, Qt::AlignCenter);
    button->setFixedSize(symbol->sizeHint().expandedTo(QSize(20, 20)));
    return button;
}
} // namespace

QColor CreditsView::footerTextColour(const QPalette& palette)
{
    // Quieter than the rows, but readable: seven parts text to three parts background keeps at least
    // 4.5:1 against the background on the light and the dark panel alike.
    const QColor text = palette.color(QPalette::WindowText);
    const QColor ground = palette.color(QPalette::Window);
    const auto mix = [](int a, int b) { return (7 * a + 3 * b + 5) / 10; };
    return QColor(mix(text.red(), ground.red()), mix(text.green(), ground.green()),
                  mix(text.blue(), ground.blue()));
}

CreditsView::CreditsView(AppSettings& appSettings, NotificationCenter& notifications, QWidget* parent)
    : QWidget(parent), m_appSettings(appSettings)
{
    QPalette faded = palette();
    const QColor colour = footerTextColour(faded);
    faded.setColor(QPalette::WindowText, colour);
    faded.setColor(QPalette::ButtonText, colour);
    setPalette(faded);

    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(10, 3, 10, 3);
    line->setSpacing(10);
    auto* name = new QLabel(QStringLiteral("Tavlen"), this);
    line->addWidget(name, 0, Qt::AlignVCenter);

    const QFont font = sheetFont(buttonFontSize);
    if (appSettings.experimentalFeatures()) {
        m_eyeSymbol = new SymbolView(eyeSymbolName(), font);
        m_eye = symbolButton(m_eyeSymbol, this);
        connect(m_eye, &QAbstractButton::clicked, this, [this] {
            // Written to the stored defaults; the sheet on screen keeps its grouping.
            m_appSettings.setShowAllMenus(!m_appSettings.showAllMenus());
            m_eyeSymbol->setSymbol(eyeSymbolName());
        });
        line->addWidget(m_eye, 0, Qt::AlignVCenter);
    }
    m_gear = symbolButton(new SymbolView(QStringLiteral("gear"), font), this);
    connect(m_gear, &QAbstractButton::clicked, this,
            [&notifications] { notifications.post(QString(NotificationNames::openSettingsWindow)); });
    line->addWidget(m_gear, 0, Qt::AlignVCenter);
}

QString CreditsView::eyeSymbolName() const
{
    return m_appSettings.showAllMenus() ? QStringLiteral("eye") : QStringLiteral("eye.slash");
}

} // namespace tavlen
