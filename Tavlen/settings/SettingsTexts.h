#pragma once

#include <QString>

namespace tavlen {

// Texts of the settings panes that are worked out rather than written down.
class SettingsTexts {
public:
    // The sample title of the truncation preview.
    static QString truncationSample();
    // The sample as a sheet row would show it with these settings (see limitedTitle).
    static QString truncationPreview(bool applyLimitToTitles, double limitTitles);

    // The "Other Tools" help in Markdown, naming `program` (the command that starts Tavlen) in
    // the two example command lines. The program is quoted for the shell where it needs to be,
    // so that a line can be copied into a key binder's configuration as it stands.
    static QString otherToolsMarkdown(const QString& program);
    // `program` as a shell word: unchanged when it holds only characters no shell treats
    // specially, otherwise in single quotes.
    static QString shellWord(const QString& program);
};

} // namespace tavlen
