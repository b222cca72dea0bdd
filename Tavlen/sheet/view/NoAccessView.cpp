#include "sheet/view/NoAccessView.h"

#include "settings/AppSettings.h"
#include "sheet/view/CreditsView.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlen {

NoAccessView::NoAccessView(QString urlSettings, AppSettings& appSettings, NotificationCenter& notifications,
                           bool skipImage, std::function<void(const QString&)> openSettings, QWidget* parent)
    : QWidget(parent), m_urlSettings(std::move(urlSettings)), m_skipImage(skipImage)
{
    auto* stack = new QVBoxLayout(this);
    stack->setSpacing(0);
    stack->setContentsMargins(0, 0, 0, 0);
    auto* text = new QLabel(requestText(), this);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setContentsMargins(10, 10, 10, 10);
    stack->addWidget(text, 0, Qt::AlignHCenter);

    m_button = new QPushButton(QStringLiteral("Open Privacy & Security"), this);
    m_button->setDefault(true);
    connect(m_button, &QPushButton::clicked, this, [this, open = std::move(openSettings)] {
        if (open)
            open(m_urlSettings);
    });
    auto* buttonMargin = new QVBoxLayout;
    buttonMargin->setContentsMargins(10, 10, 10, 10);
    buttonMargin->addWidget(m_button, 0, Qt::AlignHCenter);
    stack->addLayout(buttonMargin);

    if (appSettings.showCredits())
        stack->addWidget(new CreditsView(appSettings, notifications, this), 0, Qt::AlignHCenter);
}

} // namespace tavlen
