#pragma once

#include <QString>
#include <optional>

namespace tavlen::linux_harvest {

// A run of keys that trigger one command each, written as an accelerator whose key is followed
// by "..." and the last key of the run ("<Alt>1...8": Alt+1 up to Alt+8). It is shown, never
// typed: no single key stands for it.
class ShortcutRange {
public:
    // None when the text is no range; `problem`, when given, says why a text that looks like one
    // is not.
    static std::optional<ShortcutRange> parse(const QString& accelerator, QString* problem = nullptr);
    // Whether the text is written as a range at all ("..." or "…" in it), right or wrong.
    static bool looksLikeRange(const QString& accelerator);

    // The sheet's text: the first key in the notation of every shortcut, then the last key
    // ("⌥ 1…8").
    const QString& text() const { return m_text; }

private:
    explicit ShortcutRange(QString text) : m_text(std::move(text)) {}
    QString m_text;
};

} // namespace tavlen::linux_harvest
