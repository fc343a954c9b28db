// SPDX-License-Identifier: GPL-3.0-or-later
// Real message boxes and file dialogs.
#include "prompts.h"

#include "app/startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

// "mdb" of a filter "MS Access Database (*.mdb)"; empty unless the filter names one extension.
QString onlySuffixOf(const QString &filter)
{
    static const QRegularExpression single(QStringLiteral("^[^(]*\\(\\*\\.(\\w+)\\)$"));
    const QRegularExpressionMatch match = single.match(filter.trimmed());
    return match.hasMatch() ? match.captured(1) : QString();
}

class DialogPrompts final : public Prompts
{
public:
    void warning(QWidget *parent, const QString &text) override
    {
        QMessageBox::warning(parent, QString::fromLatin1(kApplicationTitle), text);
    }

    void error(QWidget *parent, const QString &text) override
    {
        QMessageBox::critical(parent, QString::fromLatin1(kApplicationTitle), text);
    }

    Answer question(QWidget *parent, const QString &caption, const QString &text,
                    bool withCancel) override
    {
        auto buttons = QMessageBox::Yes | QMessageBox::No;
        if (withCancel)
            buttons |= QMessageBox::Cancel;
        switch (QMessageBox::question(parent, caption, text, buttons, QMessageBox::No)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
        }
    }

    QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        QFileDialog dialog(parent, caption, folder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        // "stats" typed for "stats.mdb" is found.
        dialog.setDefaultSuffix(onlySuffixOf(filter));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    void information(QWidget *parent, const QString &text) override
    {
        QMessageBox::information(parent, QString::fromLatin1(kApplicationTitle), text);
    }

    QStringList openFileNames(QWidget *parent, const QString &caption, const QString &folder,
                              const QString &filter) override
    {
        return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
    }

    QString folderName(QWidget *parent, const QString &caption, const QString &folder) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, folder);
    }

    QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter, const QString &defaultSuffix) override
    {
        QFileDialog dialog(parent, caption, folder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        // The program asks its own "Overwrite" question, with its own buttons.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

DialogPrompts dialogPrompts;
Prompts *installed = nullptr;

} // namespace

Prompts &prompts()
{
    return installed ? *installed : dialogPrompts;
}

void setPrompts(Prompts *replacement)
{
    installed = replacement;
}

bool mayWriteFile(QWidget *parent, const QString &path, bool inUse, bool withCancel)
{
    if (!QFileInfo::exists(path))
        return true;
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("Prompts", text);
    };
    if (inUse) {
        prompts().warning(parent, tr("Can not create file. File is still in use."));
        return false;
    }
    return prompts().question(parent, tr("Overwrite"), tr("File already exists. Overwrite?"),
                              withCancel) == Prompts::Answer::Yes;
}
