#pragma once

#include "platform/KeyInput.h"
#include "settings/KeyRecorder.h"

#include <QDialog>
#include <functional>
#include <optional>

class QPushButton;

namespace tavlen {

class KeyboardLayout;

// The key recorder: a borderless window that stays on top and blocks the rest of the
// application while it is open. "Record" starts listening to every key typed into the
// application (nothing of it reaches a control meanwhile) until a key that is not a modifier is
// pressed; "Apply" hands over the recorded combination, "Cancel" nothing. Either closes the
// window; so does Escape while not recording, as a cancel.
class ModalKeyInputView : public QDialog {
    Q_OBJECT
public:
    // Called once, when the window closes: whether the combination was applied, and which.
    using OnClose = std::function<void(bool applied, std::optional<KeyInput> result)>;

    static constexpr int ModifierFrameWidth = 50;
    static constexpr int ModifierFrameHeight = 32;
    static constexpr int CornerRadius = 10;

    ModalKeyInputView(const KeyboardLayout& keyboard, OnClose onClose, QWidget* parent = nullptr);
    // Stops a recording that is still running.
    ~ModalKeyInputView() override;

    KeyRecorder& recorder() { return m_recorder; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* applyButton() const { return m_apply; }
    QPushButton* cancelButton() const { return m_cancel; }
    // Whether key events are being taken from the application right now.
    bool isMonitoring() const { return m_monitoring; }

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setMonitoring(bool on);
    void refresh();
    void finish(bool applied);

    const KeyboardLayout& m_keyboard;
    KeyRecorder m_recorder;
    OnClose m_onClose;
    QPushButton* m_record = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_display = nullptr;
    bool m_monitoring = false;
    bool m_finished = false;
};

} // namespace tavlen
