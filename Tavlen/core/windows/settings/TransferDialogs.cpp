#include "core/windows/settings/TransferDialogs.h"

#include "store/ShortcutTransfer.h"

#include <QFileDialog>
#include <QMessageBox>

namespace tavlen {

namespace {

QString nameFilter()
{
    return QStringLiteral("Tavlen shortcuts (*.%1)").arg(QLatin1String(transfer::FILE_EXTENSION));
}

// Desktop file dialogs do not all add the default suffix themselves, and the importer's open
// panel lists only files with the extension.
QString withExtension(const QString& path)
{
    const QString suffix = QLatin1Char('.') + QLatin1String(transfer::FILE_EXTENSION);
    if (path.endsWith(suffix, Qt::CaseInsensitive))
        return path;
    return path + suffix;
}

std::optional<QString> runSavePanel(QWidget* parent, const QString& title, const QString& proposedName)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(nameFilter());
    dialog.setDefaultSuffix(QLatin1String(transfer::FILE_EXTENSION));
    // An application title may hold a slash, which the dialog would read as a folder.
    QString name = proposedName;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    dialog.selectFile(withExtension(name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return withExtension(dialog.selectedFiles().constFirst());
}

std::optional<QString> runOpenPanel(QWidget* parent, const QString& title)
{
    const QString path = QFileDialog::getOpenFileName(parent, title, QString(), nameFilter());
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void runAlert(QWidget* parent, const QString& title, const QString& message)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tavlen"), title, QMessageBox::Ok, parent);
    box.setInformativeText(message);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

TransferDialogs TransferDialogs::standard()
{
    return TransferDialogs{runSavePanel, runOpenPanel, runAlert};
}

} // namespace tavlen
