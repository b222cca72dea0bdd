#pragma once

#include "core/WindowSystem.h"

#include <QList>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

namespace tavlen::test {

// Records what the controller does with its windows. Every window handle it gives out reports
// to the shared log, and stays inspectable after the controller has dropped it.
class FakeWindowSystem final : public WindowSystem {
public:
    struct WindowState {
        QString kind;
        bool visible = false;
        bool closed = false;
        QRectF frame;
        PanelContent content;
        WindowLevel level = WindowLevel::Floating;
        int contentBuilds = 0;
        QList<PanelScroll> scrolls;
        std::chrono::milliseconds fadeDuration{-1};
    };

    struct StatusItemState {
        bool removed = false;
        std::optional<StatusMenu> menu;
        int opened = 0;
        std::map<int, bool> enabled;
        std::function<void()> clicked;
    };

    std::unique_ptr<PanelWindow> createPanel(const PanelContent& content) override
    {
        auto state = newWindow(content.kind == PanelContent::Kind::Hotkeys ? QStringLiteral("hotkeys")
                                                                           : QStringLiteral("persistent"));
        state->content = content;
        state->contentBuilds = 1;
        state->frame = content.kind == PanelContent::Kind::Hotkeys ? QRectF(100, 50, 800, 600)
                                                                   : QRectF(screen.topLeft(), panelSize);
        return std::make_unique<Panel>(state);
    }

    void preparePanel(const PanelContent& content) override { prepared.append(content); }

    std::unique_ptr<ManagedWindow> createSettingsWindow(std::function<void()> willClose) override
    {
        settingsWillClose = std::move(willClose);
        return std::make_unique<Window>(newWindow(QStringLiteral("settings")));
    }

    std::unique_ptr<FadeWindow> createFadeWindow(FadeWindow::Kind kind) override
    {
        return std::make_unique<Fade>(
            newWindow(kind == FadeWindow::Kind::Intro ? QStringLiteral("intro") : QStringLiteral("outro")));
    }

    std::unique_ptr<StatusItem> createStatusItem(std::function<void()> clicked) override
    {
        statusItems.push_back(std::make_shared<StatusItemState>());
        statusItems.back()->clicked = std::move(clicked);
        return std::make_unique<Item>(statusItems.back());
    }

    bool statusAreaAvailable() const override { return trayAvailable; }
    std::optional<QRectF> mainScreenVisibleFrame() const override
    {
        return hasScreen ? std::optional(screen) : std::nullopt;
    }
    void showAlert(const QString& title, const QString& message) override
    {
        alerts.append(title + QStringLiteral(" | ") + message);
    }
    void activateApplication() override { ++activations; }
    void deactivateApplication() override { ++deactivations; }
    void orderOutAllWindows() override
    {
        ++orderOutAllCount;
        for (const auto& window : windows)
            window->visible = false;
    }
    void terminate() override { ++terminations; }

    // The windows of one kind that are still open, in the order they were made.
    std::vector<std::shared_ptr<WindowState>> open(const QString& kind) const
    {
        std::vector<std::shared_ptr<WindowState>> found;
        for (const auto& window : windows)
            if (window->kind == kind && !window->closed)
                found.push_back(window);
        return found;
    }
    int made(const QString& kind) const
    {
        int count = 0;
        for (const auto& window : windows)
            count += window->kind == kind ? 1 : 0;
        return count;
    }
    std::shared_ptr<StatusItemState> liveStatusItem() const
    {
        return !statusItems.empty() && !statusItems.back()->removed ? statusItems.back() : nullptr;
    }

    QRectF screen{0, 0, 1700, 1000};
    QSizeF panelSize{425, 700};
    bool hasScreen = true;
    bool trayAvailable = true;
    QStringList alerts;
    int activations = 0;
    int deactivations = 0;
    int orderOutAllCount = 0;
    int terminations = 0;
    // The contents panels were prepared for, in order.
    QList<PanelContent> prepared;
    std::function<void()> settingsWillClose;
    std::vector<std::shared_ptr<WindowState>> windows;
    std::vector<std::shared_ptr<StatusItemState>> statusItems;

private:
    std::shared_ptr<WindowState> newWindow(const QString& kind)
    {
        windows.push_back(std::make_shared<WindowState>());
        windows.back()->kind = kind;
        return windows.back();
    }

    template <typename Base>
    class Handle : public Base {
    public:
        explicit Handle(std::shared_ptr<WindowState> state) : m_state(std::move(state)) {}
        ~Handle() override { m_state->closed = true; }
        void orderFront() override { m_state->visible = true; }
        void orderOut() override { m_state->visible = false; }
        bool isVisible() const override { return m_state->visible; }

    protected:
        std::shared_ptr<WindowState> m_state;
    };

    class Window final : public Handle<ManagedWindow> {
        using Handle::Handle;
    };

    class Panel final : public Handle<PanelWindow> {
    public:
        using Handle::Handle;
        QRectF frame() const override { return m_state->frame; }
        void setTopLeft(const QPointF& topLeft) override { m_state->frame.moveTopLeft(topLeft); }
        void replaceContent(const PanelContent& content) override
        {
            m_state->content = content;
            ++m_state->contentBuilds;
        }
        void setLevel(WindowLevel level) override { m_state->level = level; }
        void scroll(PanelScroll step) override { m_state->scrolls.append(step); }
    };

    class Fade final : public Handle<FadeWindow> {
    public:
        using Handle::Handle;
        void fadeOut(std::chrono::milliseconds duration) override { m_state->fadeDuration = duration; }
    };

    class Item final : public StatusItem {
    public:
        explicit Item(std::shared_ptr<StatusItemState> state) : m_state(std::move(state)) {}
        ~Item() override { m_state->removed = true; }
        void setMenu(const StatusMenu& menu) override { m_state->menu = menu; }
        void openMenu() override
        {
            ++m_state->opened;
            if (m_state->menu && m_state->menu->willOpen)
                m_state->menu->willOpen();
        }
        void setEntryEnabled(int tag, bool enabled) override { m_state->enabled[tag] = enabled; }

    private:
        std::shared_ptr<StatusItemState> m_state;
    };
};

} // namespace tavlen::test
