// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's betting-system commands (New, Load, Save As, Edit) and the recommendation
// that looks the current hand up in the loaded system.
#include "tallowby.h"

#include "app/busycursor.h"
#include "app/commandguard.h"
#include "app/paths.h"
#include "app/prompts.h"
#include "db/dbconnection.h"
#include "db/dbfiles.h"
#include "db/dbtable.h"
#include "engine/handstate.h"
#include "panel/selcards.h"
#include "systems/editsystem.h"
#include "systems/recommendation.h"
#include "systems/systemdatabase.h"

#include <QFileInfo>

namespace {

QString chooseSystemFile(QWidget *parent, const QString &caption, bool forSaving)
{
    const QString folder = systemsFolder();
    ensureSystemsFolder(folder, starterSystemPath());
    if (forSaving) {
        return prompts().saveFileName(parent, caption, folder, systemFileFilter(),
                                      QString::fromLatin1(kSystemFileSuffix));
    }
    // A name typed without extension gets ".mdb", as in the history's dialogs.
    const QString chosen = prompts().openFileName(parent, caption, folder, systemFileFilter());
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty() || QFileInfo::exists(chosen))
        return chosen;
    return chosen + QLatin1Char('.') + QLatin1String(kSystemFileSuffix);
}

// The status bar names the loaded system by its file name alone.
QString systemPanelText(const QString &path)
{
    return TFormTallowby::tr("System: ") + QFileInfo(path).fileName();
}

void openTables(DbConnection &connection, DbTable &handSet, DbTable &typeSet)
{
    BusyCursor busy;
    OpenSystemTables(connection, handSet, typeSet);
}

// The panel takes the colour of the verdict it shows.
void ColorVerdict(TFormSelCards &panel, int verdict)
{
    panel.setVerdictColour(verdict, verdictColour(panel.verdictText(verdict)));
}

// A file that a connection of the program holds open (the loaded system above all) is never
// deleted or written over.
bool fileInUse(const TFormTallowby &window, const QString &path)
{
    return (window.systemLoaded() && samePath(path, window.SystemFilePath())) ||
           DbConnection::isFileOpen(path);
}

} // namespace

void TFormTallowby::createSystemConnection()
{
    ADOConE = new DbConnection(this);
    ADOConE->setObjectName(QStringLiteral("ADOConE"));
    ADOConE->setRequiredTables(
        {QString::fromLatin1(kHandSetTable), QString::fromLatin1(kTypeSetTable)});
    ADOTableHandSet = new DbTable(*ADOConE, QString::fromLatin1(kHandSetTable), this);
    ADOTableHandSet->setObjectName(QStringLiteral("ADOTableHandSet"));
    ADOTableTypeSet = new DbTable(*ADOConE, QString::fromLatin1(kTypeSetTable), this);
    ADOTableTypeSet->setObjectName(QStringLiteral("ADOTableTypeSet"));
}

bool TFormTallowby::systemLoaded() const
{
    return ADOConE->isConnected();
}

QString TFormTallowby::SystemFilePath() const
{
    return ::SystemFilePath(*ADOConE);
}

// The steps let go of the loaded system and load another. When one fails, the system loaded
// before is loaded again, so the status bar never names a file that is not loaded; the error
// then goes on to the general error report.
void TFormTallowby::replaceSystemFile(const std::function<void()> &steps)
{
    const QString previous = ADOConE->connectionString();
    const bool wasLoaded = systemLoaded();
    try {
        steps();
    } catch (...) {
        ADOConE->close();
        ADOConE->setConnectionString(previous);
        if (wasLoaded) {
            try {
                openTables(*ADOConE, *ADOTableHandSet, *ADOTableTypeSet);
            } catch (...) {
                ADOConE->close();
                setStatusPanelText(1, tr("System:"));
                UpdateRecommendation();
            }
        }
        throw;
    }
}

void TFormTallowby::MenuNewSystemClick()
{
    const QString path = chooseSystemFile(this, tr("New System..."), true);
    if (path.isEmpty())
        return;
    if (!mayWriteFile(this, path, fileInUse(*this, path), false))
        return;
    replaceSystemFile([this, &path] {
        BusyCursor busy;
        // Made whole beside an existing file, which it replaces only then.
        BuildSystemFile(path);
        ADOConE->setConnectionString(DbConnection::connectionStringFor(path));
        OpenSystemTables(*ADOConE, *ADOTableHandSet, *ADOTableTypeSet);
    });
    setStatusPanelText(1, systemPanelText(path));
    UpdateRecommendation();
}

void TFormTallowby::MenuLoadSystemClick()
{
    const QString path = chooseSystemFile(this, tr("Load System..."), false);
    if (path.isEmpty())
        return;
    replaceSystemFile([this, &path] {
        ADOConE->setConnectionString(DbConnection::connectionStringFor(path));
        openTables(*ADOConE, *ADOTableHandSet, *ADOTableTypeSet);
    });
    setStatusPanelText(1, systemPanelText(path));
    UpdateRecommendation();
    // Said now, before any editing, rather than when the first change cannot be stored.
    if (ADOConE->isReadOnly()) {
        prompts().warning(this, tr("The system “%1” is read-only: its advice is used, but it "
                                   "cannot be changed. To change it, save it under a new name "
                                   "(Save System As...) and edit the copy.")
                                    .arg(QFileInfo(path).fileName()));
    }
}

void TFormTallowby::MenuSaveSystemAsClick()
{
    if (!systemLoaded()) {
        prompts().warning(this, tr("No system is loaded. Create or load a system before saving "
                                   "it under a new name."));
        return;
    }
    const QString path = chooseSystemFile(this, tr("Save System As..."), true);
    if (path.isEmpty())
        return;
    if (!mayWriteFile(this, path, fileInUse(*this, path), true))
        return;
    const QString source = SystemFilePath();
    replaceSystemFile([this, &source, &path] {
        ADOConE->close();
        // The copy replaces the old file only once it is whole.
        safeCopyFile(source, path);
        ADOConE->setConnectionString(DbConnection::connectionStringFor(path));
        openTables(*ADOConE, *ADOTableHandSet, *ADOTableTypeSet);
    });
    setStatusPanelText(1, systemPanelText(path));
}

void TFormTallowby::MenuEditSystemClick()
{
    if (!systemLoaded())
        MenuLoadSystemClick();
    if (!systemLoaded())
        return;
    {
        TFormEditSystem editor(*ADOTableHandSet, *ADOTableTypeSet, this);
        editor.exec();
    }
    UpdateRecommendation();
}

void TFormTallowby::UpdateRecommendation()
{
    FormSelCards->setVerdictText(1, QString());
    FormSelCards->setVerdictText(2, QString());
    if (!systemLoaded())
        return;
    // Also run from card clicks and the opponents' box, outside any menu command.
    runCardCommand(FormSelCards, "system", [this] {
        const Recommendation advice =
            recommend(*ADOTableHandSet, *ADOTableTypeSet, tallowby::currentHand(),
                      FormSelCards->opponentsText(), FormSelCards->opponentsIndex());
        FormSelCards->setVerdictText(1, advice.hitVerdict);
        FormSelCards->setVerdictText(2, advice.higherVerdict);
        if (advice.recolour) {
            ColorVerdict(*FormSelCards, 1);
            ColorVerdict(*FormSelCards, 2);
        }
    });
}
