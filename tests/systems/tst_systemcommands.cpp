// SPDX-License-Identifier: GPL-3.0-or-later
// The "Systems" menu of the running program: New System, Load System, Save System As and Edit
// System with their dialogs, questions and refusals, the status bar, and the verdicts that
// follow the loaded system through the analysis and the opponents' box.
#include "systemfixture.h"

#include "app/paths.h"
#include "app/startup.h"
#include "app/tallowby.h"
#include "db/dbfiles.h"
#include "engine/cards.h"
#include "history/historyfile.h"
#include "panel/selcards.h"
#include "scriptedprompts.h"
#include "systems/editsystem.h"
#include "systems/recommendation.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace tallowby;

namespace {

// Scripted prompts that also note whether each question offered Cancel.
class RecordingPrompts final : public Prompts
{
public:
    ScriptedPrompts scripted;
    QList<bool> offeredCancel;

    RecordingPrompts() { setPrompts(this); }
    ~RecordingPrompts() override { setPrompts(nullptr); }

    void warning(QWidget *parent, const QString &text) override { scripted.warning(parent, text); }
    void error(QWidget *parent, const QString &text) override { scripted.error(parent, text); }
    Answer question(QWidget *parent, const QString &caption, const QString &text,
                    bool withCancel) override
    {
        offeredCancel.append(withCancel);
        return scripted.question(parent, caption, text, withCancel);
    }
    QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        filters.append(filter);
        return scripted.openFileName(parent, caption, folder, filter);
    }
    QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter, const QString &suffix) override
    {
        filters.append(filter + QLatin1Char('|') + suffix);
        return scripted.saveFileName(parent, caption, folder, filter, suffix);
    }

    QStringList filters;
};

struct RunningProgram
{
    RecordingPrompts prompts;
    LongLivedWindows windows;
    RunningProgram() { FormTallowby->show(); }
};

const QString kInUse = QStringLiteral("Can not create file. File is still in use.");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void play(const QString &codes)
{
    for (const QString &code : codes.split(QLatin1Char(' ')))
        FormSelCards->SelectCard(cardIndexFromCode(code.toStdString()));
}

QComboBox *opponentsBox()
{
    return FormSelCards->findChild<QComboBox *>(QStringLiteral("ComboBoxOpps"));
}

void chooseOpponents(int steps)
{
    QComboBox *box = opponentsBox();
    box->setFocus();
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
}

// Runs `step` on the editor once its modal loop runs; closes any other modal window.
void whenEditorOpens(std::function<void(TFormEditSystem &)> step, int tries = 200)
{
    QTimer::singleShot(10, FormTallowby, [step, tries] {
        auto *editor = qobject_cast<TFormEditSystem *>(QApplication::activeModalWidget());
        if (editor) {
            step(*editor);
        } else if (tries > 0) {
            whenEditorOpens(step, tries - 1);
        } else if (QWidget *other = QApplication::activeModalWidget()) {
            other->close();
        }
    });
}

void chooseEntry(QListWidget *list, const QString &text)
{
    QListWidgetItem *item = list->findItems(text, Qt::MatchExactly).value(0);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// A file made as a script makes it, through SQLite alone: the statements, and no application id
// unless one is given.
void scriptFile(const QString &path, const QStringList &statements, int applicationId = 0)
{
    {
        QSqlDatabase maker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "script");
        maker.setDatabaseName(path);
        QVERIFY(maker.open());
        for (const QString &sql : statements)
            QVERIFY2(QSqlQuery(maker).exec(sql), qPrintable(sql));
        if (applicationId != 0)
            QVERIFY(QSqlQuery(maker).exec(
                QStringLiteral("PRAGMA application_id = %1").arg(applicationId)));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("script"));
}

// The two tables of a system and a few of its rows, as a user's script writes them.
QStringList systemScript()
{
    return {QStringLiteral("CREATE TABLE PreFlop (Hand TEXT(11), OppCl TEXT(12), OppR1 TEXT(12), "
                           "OppR2 TEXT(12), OppR4 TEXT(12), OppR8 TEXT(12), OppAI TEXT(12))"),
            QStringLiteral("CREATE TABLE FTR (HType TEXT(14), Rnd TEXT(5), Opps TEXT(12), HitE "
                           "TEXT(12), HitL TEXT(12), HitS TEXT(12), HitV NUMBER, HgrL TEXT(12), "
                           "HgrS TEXT(12), HgrV NUMBER)"),
            QStringLiteral("INSERT INTO PreFlop VALUES ('AK offsuit', 'Raise 200%', 'Check/Call', "
                           "'Check/Call', 'Check/Fold', 'Check/Fold', 'Check/Fold')"),
            QStringLiteral("INSERT INTO FTR VALUES ('2 Kind', 'Flop', 'Call', 'Raise 100%', "
                           "'Check/Call', 'Check/Fold', 50, 'Check/Fold', 'Check/Call', 50)")};
}

QStringList historyScript()
{
    return {QStringLiteral("CREATE TABLE History (DateP DATE, H1 TEXT(2), H2 TEXT(2), F1 TEXT(2), "
                           "F2 TEXT(2), F3 TEXT(2), Tn TEXT(2), Rr TEXT(2), Rtg NUMBER, Hand "
                           "TEXT(30), Result TEXT(5))")};
}

} // namespace

class TestSystemCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<RunningProgram> program_;
    ScriptedPrompts &prompts() { return program_->prompts.scripted; }

    QString file(const QString &name) const { return dir_->filePath(name); }

    void trigger(const char *name)
    {
        auto *item = FormTallowby->findChild<QAction *>(QString::fromLatin1(name));
        QVERIFY(item && item->isEnabled());
        item->trigger();
    }
    void command(const char *name, const QString &path)
    {
        if (!path.isEmpty())
            prompts().fileNames.enqueue(path);
        trigger(name);
    }
    QString status() const { return FormTallowby->statusPanelText(1); }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        program_ = std::make_unique<RunningProgram>();
    }
    void cleanup()
    {
        program_.reset();
        dir_.reset();
    }

    void systemsMenu()
    {
        const char *names[] = {"MenuNewSystem", "MenuLoadSystem", "MenuSaveSystemAs",
                               "MenuEditSystem"};
        const char *captions[] = {"New System...", "Load System...", "Save System As...",
                                  "Edit System..."};
        for (int i = 0; i < 4; ++i) {
            auto *item = FormTallowby->findChild<QAction *>(QString::fromLatin1(names[i]));
            QVERIFY(item && item->isEnabled());
            QCOMPARE(item->text(), QString::fromLatin1(captions[i]));
        }
        QCOMPARE(status(), QStringLiteral("System:"));
        QVERIFY(!FormTallowby->systemLoaded());
    }

    // New System on a new path: no question, the default content, the status bar, and advice
    // for the hole cards already on the panel at once.
    void newSystemOnNewPath()
    {
        play(QStringLiteral("Kh Ac"));
        QCOMPARE(FormSelCards->verdictText(1), QString());
        command("MenuNewSystem", file(QStringLiteral("first.mdb")));

        QCOMPARE(prompts().fileCaptions, QStringList{"New System..."});
        QCOMPARE(prompts().fileFolders, QStringList{systemsFolder()});
        QVERIFY(QFileInfo(systemsFolder()).isDir());
        QCOMPARE(program_->prompts.filters, QStringList{"MS Access Database (*.mdb)|mdb"});
        QVERIFY(prompts().messages.isEmpty());
        QVERIFY(FormTallowby->systemLoaded());
        QVERIFY(samePath(FormTallowby->SystemFilePath(), file(QStringLiteral("first.mdb"))));
        QCOMPARE(status(), QStringLiteral("System: first.mdb"));
        QCOMPARE(FormTallowby->handSetTable().rowCount(), 169);
        QCOMPARE(FormTallowby->typeSetTable().rowCount(), 168);
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Check/Fold"));
        QCOMPARE(FormSelCards->verdictText(2), QString());
        // Before the flop the panels keep the colour of the reset.
        QCOMPARE(FormSelCards->verdictColour(1), QColor(0, 128, 0));
    }

    // The loaded system is never deleted or written over.
    void loadedFileIsInUse_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::newRow("New System") << "MenuNewSystem";
        QTest::newRow("Save System As") << "MenuSaveSystemAs";
    }
    void loadedFileIsInUse()
    {
        QFETCH(QString, menuItem);
        const QString path = file(QStringLiteral("loaded.mdb"));
        command("MenuNewSystem", path);
        FormTallowby->systemConnection().close();
        const QByteArray before = fileBytes(path);
        command("MenuLoadSystem", path);
        prompts().clear();

        // The same file named another way.
        command(qPrintable(menuItem), dir_->path() + QStringLiteral("/./loaded.mdb"));
        QCOMPARE(prompts().texts(), QStringList{kInUse});
        QCOMPARE(prompts().messages.front().kind, ScriptedPrompts::Message::Warning);
        QVERIFY(FormTallowby->systemLoaded());
        QCOMPARE(status(), QStringLiteral("System: loaded.mdb"));
        FormTallowby->systemConnection().close();
        QCOMPARE(fileBytes(path), before);
    }

    // "mine" typed in Load System opens "mine.mdb", as the history's dialogs do.
    void loadingANameTypedWithoutExtension()
    {
        command("MenuNewSystem", file(QStringLiteral("mine.mdb")));
        FormTallowby->systemConnection().close();
        prompts().clear();
        command("MenuLoadSystem", file(QStringLiteral("mine")));
        QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));
        QVERIFY(FormTallowby->systemLoaded());
        QCOMPARE(status(), QStringLiteral("System: mine.mdb"));
    }

    void overwriteQuestion_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("withCancel");
        QTest::newRow("New System, Yes") << "MenuNewSystem" << int(Prompts::Answer::Yes) << false;
        QTest::newRow("New System, No") << "MenuNewSystem" << int(Prompts::Answer::No) << false;
        QTest::newRow("Save System As, Yes")
            << "MenuSaveSystemAs" << int(Prompts::Answer::Yes) << true;
        QTest::newRow("Save System As, No")
            << "MenuSaveSystemAs" << int(Prompts::Answer::No) << true;
        QTest::newRow("Save System As, Cancel")
            << "MenuSaveSystemAs" << int(Prompts::Answer::Cancel) << true;
    }
    void overwriteQuestion()
    {
        QFETCH(QString, menuItem);
        QFETCH(int, answer);
        QFETCH(bool, withCancel);
        command("MenuNewSystem", file(QStringLiteral("loaded.mdb")));
        QVERIFY(changeField(FormTallowby->handSetTable(), QStringLiteral("Hand"), {"AA"},
                            QStringLiteral("OppCl"), QStringLiteral("Raise All-In")));
        const QString other = file(QStringLiteral("other.mdb"));
        writeFile(other, "other");
        prompts().clear();
        program_->prompts.offeredCancel.clear();

        prompts().answers.enqueue(Prompts::Answer(answer));
        command(qPrintable(menuItem), other);
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(prompts().messages.front().kind, ScriptedPrompts::Message::Question);
        QCOMPARE(prompts().messages.front().caption, QStringLiteral("Overwrite"));
        QCOMPARE(prompts().messages.front().text,
                 QStringLiteral("File already exists. Overwrite?"));
        QCOMPARE(program_->prompts.offeredCancel, QList<bool>{withCancel});

        if (Prompts::Answer(answer) != Prompts::Answer::Yes) {
            QCOMPARE(fileBytes(other), QByteArray("other"));
            QCOMPARE(status(), QStringLiteral("System: loaded.mdb"));
            QVERIFY(samePath(FormTallowby->SystemFilePath(), file(QStringLiteral("loaded.mdb"))));
            QVERIFY(FormTallowby->systemLoaded());
            return;
        }
        QCOMPARE(status(), QStringLiteral("System: other.mdb"));
        QVERIFY(samePath(FormTallowby->SystemFilePath(), other));
        QVERIFY(FormTallowby->systemLoaded());
        // A new system has the default content; a copy has the loaded system's.
        const bool copied = menuItem == QStringLiteral("MenuSaveSystemAs");
        FormTallowby->handSetTable().locate(QStringLiteral("Hand"), {"AA"});
        QCOMPARE(FormTallowby->handSetTable().text("OppCl"),
                 copied ? QStringLiteral("Raise All-In") : QStringLiteral("Check/Fold"));
        FormTallowby->systemConnection().close();
        if (copied)
            QCOMPARE(fileBytes(other), fileBytes(file(QStringLiteral("loaded.mdb"))));
        // Nothing is left beside the files.
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files),
                 QStringList({"loaded.mdb", "other.mdb"}));
    }

    void loadCancelledKeepsSystem()
    {
        command("MenuNewSystem", file(QStringLiteral("kept.mdb")));
        prompts().clear();
        command("MenuLoadSystem", QString());
        QCOMPARE(prompts().fileCaptions, QStringList{"Load System..."});
        QCOMPARE(prompts().fileFolders, QStringList{systemsFolder()});
        QVERIFY(prompts().messages.isEmpty());
        QVERIFY(FormTallowby->systemLoaded());
        QCOMPARE(status(), QStringLiteral("System: kept.mdb"));
    }

    // A change survives loading another system and loading this one again.
    void loadRoundTrip()
    {
        command("MenuNewSystem", file(QStringLiteral("a.mdb")));
        QVERIFY(changeField(FormTallowby->handSetTable(), QStringLiteral("Hand"), {"AA"},
                            QStringLiteral("OppCl"), QStringLiteral("Raise All-In")));
        command("MenuNewSystem", file(QStringLiteral("b.mdb")));
        play(QStringLiteral("As Ad"));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Check/Fold"));

        command("MenuLoadSystem", file(QStringLiteral("a.mdb")));
        QCOMPARE(status(), QStringLiteral("System: a.mdb"));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Raise All-In"));
        QCOMPARE(FormTallowby->handSetTable().rowCount(), 169);
        QCOMPARE(FormTallowby->typeSetTable().rowCount(), 168);
        QVERIFY(prompts().messages.isEmpty());
    }

    // A file that is no system: the general error report, and the system loaded before stays
    // loaded, named and advising; no connection to the bad file is left open.
    void loadFileThatIsNoSystem_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text file") << "text";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("history file") << "history";
        QTest::newRow("database without system tables") << "database";
    }
    void loadFileThatIsNoSystem()
    {
        QFETCH(QString, kind);
        command("MenuNewSystem", file(QStringLiteral("good.mdb")));
        const QString bad = file(QStringLiteral("bad.mdb"));
        if (kind == QLatin1String("database")) {
            createDatabaseFile(bad);
            DbConnection maker;
            maker.setConnectionString(DbConnection::connectionStringFor(bad));
            executeCommand(maker, QStringLiteral("CREATE TABLE Other (H1 TEXT(2))"));
        } else if (kind == QLatin1String("history")) {
            buildHistoryFile(bad);
        } else {
            writeFile(bad, kind == QLatin1String("text") ? QByteArray(300, 'x') : QByteArray());
        }
        play(QStringLiteral("Kh Ac"));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Check/Fold"));
        prompts().clear();
        command("MenuLoadSystem", bad);
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(prompts().messages.front().kind, ScriptedPrompts::Message::Error);
        QVERIFY(prompts().messages.front().text.contains(QStringLiteral("bad.mdb")));
        QCOMPARE(status(), QStringLiteral("System: good.mdb"));
        QVERIFY(FormTallowby->systemLoaded());
        QVERIFY(samePath(FormTallowby->SystemFilePath(), file(QStringLiteral("good.mdb"))));
        QCOMPARE(FormTallowby->handSetTable().rowCount(), 169);
        QVERIFY(!DbConnection::isFileOpen(bad));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Check/Fold"));

        // Edit System opens the editor on the loaded system, without offering a load first.
        prompts().clear();
        whenEditorOpens([](TFormEditSystem &editor) { editor.reject(); });
        trigger("MenuEditSystem");
        QVERIFY(prompts().fileCaptions.isEmpty());
    }

    // A copy that cannot be written: the system loaded before stays loaded and named.
    void saveAsFailureKeepsSystem()
    {
        command("MenuNewSystem", file(QStringLiteral("good.mdb")));
        const QString locked = file(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(locked));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([&locked] {
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (QFileInfo(locked).isWritable())
            QSKIP("This user writes into read-only folders");
        prompts().clear();
        command("MenuSaveSystemAs", QDir(locked).filePath(QStringLiteral("copy.mdb")));
        QCOMPARE(prompts().messages.size(), 1);
        QVERIFY2(prompts().messages.front().text.contains(QLatin1String("read-only")),
                 qPrintable(prompts().messages.front().text));
        QCOMPARE(status(), QStringLiteral("System: good.mdb"));
        QVERIFY(FormTallowby->systemLoaded());
        QCOMPARE(FormTallowby->typeSetTable().rowCount(), 168);
    }

    // A system or a history written by a script carries no application id; it is taken for
    // its tables. A file that carries another program's id is refused even with them.
    void filesMadeByScripts_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("history");
        QTest::addColumn<int>("applicationId");
        QTest::newRow("system without an id") << "MenuLoadSystem" << false << 0;
        QTest::newRow("history without an id") << "MenuOpenDatabase" << true << 0;
        QTest::newRow("system of another program") << "MenuLoadSystem" << false << 0x46524F47;
        QTest::newRow("history of another program") << "MenuOpenDatabase" << true << 0x46524F47;
    }
    void filesMadeByScripts()
    {
        QFETCH(QString, command);
        QFETCH(bool, history);
        QFETCH(int, applicationId);
        const QString path = file(QStringLiteral("script.mdb"));
        scriptFile(path, history ? historyScript() : systemScript(), applicationId);
        play(QStringLiteral("Kh Ac"));
        prompts().clear();
        this->command(command.toLatin1().constData(), path);
        if (applicationId != 0) {
            QCOMPARE(prompts().messages.size(), 1);
            QVERIFY2(prompts().messages.front().text.contains(QLatin1String("another program")),
                     qPrintable(prompts().messages.front().text));
            QVERIFY(!FormTallowby->systemLoaded());
            QVERIFY(!FormTallowby->historyDatabaseOpen());
            return;
        }
        QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));
        if (history) {
            QVERIFY(FormTallowby->historyDatabaseOpen());
        } else {
            QCOMPARE(status(), QStringLiteral("System: script.mdb"));
            QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Raise 200%"));
        }
    }

    // A read-only system is said to be read-only as it is loaded, and its advice is used.
    void loadReadOnlySystem()
    {
        const QString path = file(QStringLiteral("locked.mdb"));
        {
            TemporarySystem made;
            QVERIFY(changeField(made.handSet, QStringLiteral("Hand"), {"AA"},
                                QStringLiteral("OppCl"), QStringLiteral("Raise All-In")));
            made.connection.close();
            QVERIFY(QFile::copy(made.path, path));
        }
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        play(QStringLiteral("As Ad"));
        command("MenuLoadSystem", path);
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(prompts().messages.front().kind, ScriptedPrompts::Message::Warning);
        QVERIFY(prompts().messages.front().text.contains(QLatin1String("locked.mdb")));
        QVERIFY(prompts().messages.front().text.contains(QLatin1String("read-only")));
        QCOMPARE(status(), QStringLiteral("System: locked.mdb"));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Raise All-In"));

        // The editor opens read-only for it.
        bool closedToInput = false;
        whenEditorOpens([&closedToInput](TFormEditSystem &editor) {
            closedToInput =
                !editor.findChild<QComboBox *>(QStringLiteral("DBComboBoxPFCl"))->isEnabled();
            editor.reject();
        });
        trigger("MenuEditSystem");
        QVERIFY(closedToInput);
        QCOMPARE(prompts().messages.size(), 1);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }

    void saveAsWithoutSystem()
    {
        prompts().fileNames.enqueue(file(QStringLiteral("copy.mdb")));
        trigger("MenuSaveSystemAs");
        QVERIFY(prompts().fileCaptions.isEmpty());
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(prompts().messages.front().kind, ScriptedPrompts::Message::Warning);
        QVERIFY(QDir(dir_->path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(status(), QStringLiteral("System:"));
    }

    void saveAsRoundTrip()
    {
        play(QStringLiteral("As Ad"));
        command("MenuNewSystem", file(QStringLiteral("a.mdb")));
        QVERIFY(changeField(FormTallowby->handSetTable(), QStringLiteral("Hand"), {"AA"},
                            QStringLiteral("OppCl"), QStringLiteral("Raise 200%")));
        prompts().clear();
        command("MenuSaveSystemAs", file(QStringLiteral("c.mdb")));
        QCOMPARE(prompts().fileCaptions, QStringList{"Save System As..."});
        QVERIFY(prompts().messages.isEmpty());
        QCOMPARE(status(), QStringLiteral("System: c.mdb"));
        QVERIFY(samePath(FormTallowby->SystemFilePath(), file(QStringLiteral("c.mdb"))));
        // The verdicts are not worked out again: the copy advises as the original did.
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Check/Fold"));

        // The copy is what is loaded now: a change goes there, not into the original.
        QVERIFY(changeField(FormTallowby->handSetTable(), QStringLiteral("Hand"), {"AA"},
                            QStringLiteral("OppR1"), QStringLiteral("Raise 800%")));
        FormTallowby->systemConnection().close();
        const QString hand = QStringLiteral("Hand");
        QCOMPARE(storedText(file(QStringLiteral("c.mdb")), QStringLiteral("PreFlop"), hand, {"AA"},
                            QStringLiteral("OppCl")),
                 QStringLiteral("Raise 200%"));
        QCOMPARE(storedText(file(QStringLiteral("c.mdb")), QStringLiteral("PreFlop"), hand, {"AA"},
                            QStringLiteral("OppR1")),
                 QStringLiteral("Raise 800%"));
        QCOMPARE(storedText(file(QStringLiteral("a.mdb")), QStringLiteral("PreFlop"), hand, {"AA"},
                            QStringLiteral("OppCl")),
                 QStringLiteral("Raise 200%"));
        QCOMPARE(storedText(file(QStringLiteral("a.mdb")), QStringLiteral("PreFlop"), hand, {"AA"},
                            QStringLiteral("OppR1")),
                 QStringLiteral("Check/Fold"));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList({"a.mdb", "c.mdb"}));
    }

    void editWithoutSystemCancelled()
    {
        trigger("MenuEditSystem");
        QCOMPARE(prompts().fileCaptions, QStringList{"Load System..."});
        QVERIFY(prompts().messages.isEmpty());
        QVERIFY(!FormTallowby->systemLoaded());
        QCOMPARE(status(), QStringLiteral("System:"));
    }

    // Edit System with no system loaded loads one first, then opens the editor.
    void editLoadsFirst()
    {
        QString path;
        {
            TemporarySystem made;
            path = file(QStringLiteral("made.mdb"));
            made.connection.close();
            QVERIFY(QFile::copy(made.path, path));
        }
        bool opened = false;
        whenEditorOpens([&opened](TFormEditSystem &editor) {
            opened = true;
            editor.reject();
        });
        command("MenuEditSystem", path);
        QVERIFY(opened);
        QCOMPARE(prompts().fileCaptions, QStringList{"Load System..."});
        QCOMPARE(status(), QStringLiteral("System: made.mdb"));
        QVERIFY(FormTallowby->findChildren<TFormEditSystem *>().isEmpty());
    }

    // What the editor stores is advised as soon as it closes.
    void editThenAdvise()
    {
        play(QStringLiteral("Kh Ac"));
        command("MenuNewSystem", file(QStringLiteral("edited.mdb")));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Check/Fold"));
        whenEditorOpens([](TFormEditSystem &editor) {
            chooseEntry(editor.findChild<QListWidget *>(QStringLiteral("ListBoxPF")),
                        QStringLiteral("AK offsuit"));
            QLineEdit *call =
                editor.findChild<QComboBox *>(QStringLiteral("DBComboBoxPFCl"))->lineEdit();
            call->selectAll();
            QTest::keyClicks(call, QStringLiteral("Raise 400%"));
            QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("BitBtnOK")),
                              Qt::LeftButton);
        });
        trigger("MenuEditSystem");
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Raise 400%"));
        QVERIFY(prompts().messages.isEmpty());
        QVERIFY(FormTallowby->findChildren<TFormEditSystem *>().isEmpty());
    }

    // The opponents' box re-advises on the same hand, before and after the flop; the odds
    // read-outs stay as they are.
    void opponentsChangeReadvises()
    {
        command("MenuNewSystem", file(QStringLiteral("opps.mdb")));
        DbTable &handSet = FormTallowby->handSetTable();
        DbTable &typeSet = FormTallowby->typeSetTable();
        const QString keys = QStringLiteral("HType;Rnd;Opps");
        QVERIFY(changeField(handSet, QStringLiteral("Hand"), {"AK offsuit"},
                            QStringLiteral("OppR1"), QStringLiteral("Raise 200%")));
        QVERIFY(changeField(typeSet, keys, {"Straight", "River", "Raise 100%"},
                            QStringLiteral("HitE"), QStringLiteral("Raise 400%")));

        play(QStringLiteral("Kh Ac"));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Check/Fold"));
        chooseOpponents(1);
        QCOMPARE(FormSelCards->opponentsText(), QStringLiteral("Raise 100%"));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Raise 200%"));
        chooseOpponents(-2);
        QCOMPARE(FormSelCards->opponentsText(), QStringLiteral("Check"));
        QCOMPARE(FormSelCards->verdictText(1), QString());
        QCOMPARE(FormSelCards->verdictText(2), QString());

        // A straight on the river: made, so its HitE is the hit verdict.
        play(QStringLiteral("Qd Jc Ts 2h 3d"));
        QCOMPARE(FormSelCards->opponentsText(), QStringLiteral("Call"));
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Check/Call"));
        QCOMPARE(FormSelCards->verdictColour(1), QColor(0, 128, 0));
        QVERIFY(!FormSelCards->verdictText(2).isEmpty());
        QCOMPARE(FormSelCards->verdictColour(2), verdictColour(FormSelCards->verdictText(2)));
        const QStringList readouts = {FormSelCards->outsText(), FormSelCards->hitText(),
                                      FormSelCards->winText()};
        chooseOpponents(1);
        QCOMPARE(FormSelCards->verdictText(1), QStringLiteral("Raise 400%"));
        QCOMPARE(FormSelCards->verdictColour(1), QColor(128, 128, 0));
        QCOMPARE(QStringList(
                     {FormSelCards->outsText(), FormSelCards->hitText(), FormSelCards->winText()}),
                 readouts);
    }

    // A typed action in any letter case finds the rows of the item it names: the box takes the
    // item's own text, and the verdicts are those of choosing the item from the list.
    void typedOpponentsFindTheirAdvice_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("item");

        QTest::newRow("raise 800%") << "raise 800%" << 5;
        QTest::newRow("RAISE ALL-IN") << "RAISE ALL-IN" << 6;
        QTest::newRow("check") << "check" << 0;
        QTest::newRow("Call as listed") << "Call" << 1;
    }

    void typedOpponentsFindTheirAdvice()
    {
        QFETCH(QString, typed);
        QFETCH(int, item);

        command("MenuNewSystem", file(QStringLiteral("typed.mdb")));
        const QString action = opponentsBox()->itemText(item);
        QVERIFY(changeField(FormTallowby->typeSetTable(), QStringLiteral("HType;Rnd;Opps"),
                            {"Straight", "River", action}, QStringLiteral("HitE"),
                            QStringLiteral("Raise 400%")));
        play(QStringLiteral("Kh Ac Qd Jc Ts 2h 3d"));

        QComboBox *box = opponentsBox();
        box->setFocus();
        // Chosen from the list: one step onto the item from its neighbour.
        box->setCurrentIndex(item > 0 ? item - 1 : 1);
        QTest::keyClick(box, item > 0 ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(box->currentText(), action);
        const QStringList chosen = {FormSelCards->verdictText(1), FormSelCards->verdictText(2)};
        QCOMPARE(chosen.front(), QStringLiteral("Raise 400%"));

        FormSelCards->setVerdictText(1, QStringLiteral("mark"));
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), typed);
        QCOMPARE(box->currentText(), action);
        QCOMPARE(QStringList({FormSelCards->verdictText(1), FormSelCards->verdictText(2)}), chosen);
        QVERIFY(prompts().messages.isEmpty());
    }
};

QTEST_MAIN(TestSystemCommands)
#include "tst_systemcommands.moc"
