#include "core/windows/settings/ModalKeyInputView.h"

#include "core/windows/WindowShape.h"

#include "core/windows/QtLocalKeyEventSource.h"
#include "core/windows/settings/EditorSymbols.h"
#include "harvest/ShortcutNotation.h"
#include "sheet/view/SheetFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlen {

namespace {

constexpr int ShadowMargin = 8;
constexpr int InnerMargin = 15;
constexpr double SymbolSize = 20;

QString recordTitle(bool recording)
{
    return recording ? QStringLiteral("Stop recording") : QStringLiteral("Record");
}

// The five modifier pictograms and the key, each lit in the accent colour while held or
// recorded, gray otherwise.
class CombinationDisplay final : public QWidget {
public:
    CombinationDisplay(const KeyRecorder& recorder, QWidget* parent) : QWidget(parent), m_recorder(recorder)
    {
        setFixedSize(6 * ModalKeyInputView::ModifierFrameWidth, ModalKeyInputView::ModifierFrameHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QFont font = sheetFont(SymbolSize);
        const QColor accent = palette().color(QPalette::Highlight);
        const QColor gray(Qt::gray);
        const KeyInput& marks = m_recorder.marks();
        const struct {
            bool held;
            const char16_t* text;
        } modifiers[] = {
            {marks.isFunction, u"fn"}, {marks.isControl, u"⌃"}, {marks.isOption, u"⌥"},
            {marks.isShift, u"⇧"},     {marks.isCommand, u"⌘"},
        };
        QRectF frame(0, 0, ModalKeyInputView::ModifierFrameWidth, ModalKeyInputView::ModifierFrameHeight);
        for (const auto& modifier : modifiers) {
            const QString text = QString::fromUtf16(modifier.text);
            EditorSymbols::paint(painter, frame, notation::recorderSymbolName(text).value_or(text), font,
                                 modifier.held ? accent : gray);
            frame.translate(ModalKeyInputView::ModifierFrameWidth, 0);
        }
        const QString& key = m_recorder.keyPressed();
        const QColor keyColour = m_recorder.isKeyPressed() ? accent : gray;
        if (const auto name = notation::recorderSymbolName(key)) {
            EditorSymbols::paint(painter, frame, *name, font, keyColour);
        } else {
            painter.setFont(font);
            painter.setPen(keyColour);
            painter.drawText(frame, Qt::AlignCenter, key);
        }
    }

private:
    const KeyRecorder& m_recorder;
};

} // namespace

ModalKeyInputView::ModalKeyInputView(const KeyboardLayout& keyboard, OnClose onClose, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_keyboard(keyboard)
    , m_recorder(keyboard)
    , m_onClose(std::move(onClose))
{
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_TranslucentBackground);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(ShadowMargin + InnerMargin, ShadowMargin + InnerMargin,
                              ShadowMargin + InnerMargin, ShadowMargin + InnerMargin);
    stack->setSpacing(20);
    m_display = new CombinationDisplay(m_recorder, this);
    stack->addWidget(m_display, 0, Qt::AlignHCenter);

    m_record = new QPushButton(recordTitle(false), this);
    stack->addWidget(m_record);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    m_apply = new QPushButton(QStringLiteral("Apply"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    stack->addLayout(buttons);

    // Return must never apply by itself: it may be the very key being recorded.
    for (QPushButton* button : {m_record, m_apply, m_cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    connect(m_record, &QPushButton::clicked, &m_recorder, &KeyRecorder::toggleRecording);
    connect(m_apply, &QPushButton::clicked, this, [this] {
        if (m_recorder.canApply())
            finish(true);
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_recorder.canCancel())
            finish(false);
    });
    connect(&m_recorder, &KeyRecorder::recordingChanged, this, &ModalKeyInputView::setMonitoring);
    connect(&m_recorder, &KeyRecorder::changed, this, &ModalKeyInputView::refresh);
    refresh();
}

ModalKeyInputView::~ModalKeyInputView()
{
    setMonitoring(false);
}

void ModalKeyInputView::setMonitoring(bool on)
{
    if (on == m_monitoring)
        return;
    m_monitoring = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool ModalKeyInputView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claimed, so that no shortcut or mnemonic fires; the key itself follows as a key press.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (const auto translated =
                QtLocalKeyEventSource::translate(*static_cast<QKeyEvent*>(event), m_keyboard))
            m_recorder.handle(*translated);
        // Every key is the recorder's while it listens, whatever it made of it.
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void ModalKeyInputView::keyPressEvent(QKeyEvent* event)
{
    // A key held down while it was recorded goes on repeating after the recording ended: none
    // of its repeats may close the window or press a button.
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ModalKeyInputView::reject()
{
    if (m_recorder.canCancel())
        finish(false);
}

void ModalKeyInputView::closeEvent(QCloseEvent* event)
{
    // Closed from outside (the window manager, the application quitting): nothing was applied.
    m_recorder.stopRecording();
    finish(false);
    event->accept();
}

void ModalKeyInputView::refresh()
{
    m_record->setText(recordTitle(m_recorder.isRecording()));
    m_apply->setEnabled(m_recorder.canApply());
    m_cancel->setEnabled(m_recorder.canCancel());
    m_display->update();
}

void ModalKeyInputView::finish(bool applied)
{
    if (m_finished)
        return;
    m_finished = true;
    m_recorder.stopRecording();
    const std::optional<KeyInput> result =
        applied ? std::optional<KeyInput>(m_recorder.hotkeyPressed()) : std::nullopt;
    QDialog::done(applied ? QDialog::Accepted : QDialog::Rejected);
    if (m_onClose)
        m_onClose(applied, result);
}

void ModalKeyInputView::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Without a compositor the shadow's translucent rings would be black: the window is then cut
    // to the panel alone.
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(ShadowMargin, ShadowMargin, -ShadowMargin, -ShadowMargin),
                           CornerRadius, CornerRadius);
    WindowShape::apply(*this, outline);
}

void ModalKeyInputView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF panel = QRectF(rect()).adjusted(ShadowMargin, ShadowMargin, -ShadowMargin, -ShadowMargin);
    // A soft shadow: rings of fading black around the panel, a little lower than it.
    for (int ring = ShadowMargin; ring > 0; --ring) {
        QPainterPath shade;
        shade.addRoundedRect(panel.adjusted(-ring, -ring + 2, ring, ring + 2), CornerRadius + ring,
                             CornerRadius + ring);
        painter.fillPath(shade, QColor(0, 0, 0, 6));
    }
    QPainterPath shape;
    shape.addRoundedRect(panel, CornerRadius, CornerRadius);
    painter.fillPath(shape, palette().color(QPalette::Window));
}

} // namespace tavlen
