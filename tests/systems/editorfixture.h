// SPDX-License-Identifier: GPL-3.0-or-later
// The system editor on a new system in a temporary folder, driven as a user drives it: clicks on
// list entries, typing, the mouse wheel; and a lock on the file taken by another program.
#pragma once

#include "systemfixture.h"

#include "scriptedprompts.h"
#include "systems/editsystem.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <memory>

inline const QString kHandKey = QStringLiteral("Hand");
inline const QString kTypeKeys = QStringLiteral("HType;Rnd;Opps");

// Another program holding the file locked, as long as the object lives or until release().
class FileLock
{
public:
    explicit FileLock(const QString &path)
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name());
        other.setDatabaseName(path);
        if (other.open())
            m_locked = QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    ~FileLock() { release(); }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool locked() const { return m_locked; }
    void release()
    {
        if (!QSqlDatabase::contains(name()))
            return;
        {
            QSqlDatabase other = QSqlDatabase::database(name());
            QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
            other.close();
        }
        QSqlDatabase::removeDatabase(name());
        m_locked = false;
    }

private:
    static QString name() { return QStringLiteral("another-program"); }
    bool m_locked = false;
};

// The base of the editor's test classes (which add Q_OBJECT and their slots).
class EditorTest : public QObject
{
protected:
    std::unique_ptr<TemporarySystem> system_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<TFormEditSystem> editor_;

    template <typename T> T *control(const QString &name) const
    {
        T *found = editor_->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QComboBox *combo(const QString &name) const { return control<QComboBox>(name); }
    QLineEdit *edit(const QString &name) const { return control<QLineEdit>(name); }
    QListWidget *list(const QString &name) const { return control<QListWidget>(name); }
    QLabel *label(const QString &name) const { return control<QLabel>(name); }
    QTabWidget *pages() const { return control<QTabWidget>(QStringLiteral("PageControl")); }

    static QString pageLetter(int page) { return QStringLiteral("?FTR").mid(page, 1); }

    void openEditor()
    {
        editor_ = std::make_unique<TFormEditSystem>(system_->handSet, system_->typeSet);
        editor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
    }

    void showPage(int page) { pages()->setCurrentIndex(page); }

    // A mouse click on the entry, as the user makes it.
    static void choose(QListWidget *list, const QString &text)
    {
        const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(text));
        list->scrollToItem(items.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.front()).center());
    }

    static QString selected(const QListWidget *list)
    {
        const QList<QListWidgetItem *> items = list->selectedItems();
        return items.isEmpty() ? QString() : items.front()->text();
    }

    void chooseRound(int page, const QString &type, const QString &opponents)
    {
        showPage(page);
        if (!type.isEmpty())
            choose(list(QStringLiteral("ListBox%1H").arg(pageLetter(page))), type);
        if (!opponents.isEmpty())
            choose(list(QStringLiteral("ListBox%1O").arg(pageLetter(page))), opponents);
    }

    static void typeInto(QLineEdit *line, const QString &text)
    {
        line->setFocus();
        line->selectAll();
        if (text.isEmpty())
            QTest::keyClick(line, Qt::Key_Backspace);
        else
            QTest::keyClicks(line, text);
    }

    static void pick(QComboBox *box, const QString &action) { typeInto(box->lineEdit(), action); }

    // One notch of the mouse wheel over the control, downwards.
    static void wheel(QWidget *target)
    {
        const QPointF at = QPointF(target->rect().center());
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    void clickOk() { QTest::mouseClick(control<QPushButton>("BitBtnOK"), Qt::LeftButton); }

    QString typeSetRow() const
    {
        const DbTable &t = system_->typeSet;
        return t.text("HType") + QLatin1Char('/') + t.text("Rnd") + QLatin1Char('/') +
               t.text("Opps");
    }

    QString stored(const QString &table, const QString &keys, const QVariantList &values,
                   const QString &field) const
    {
        return storedText(system_->path, table, keys, values, field);
    }
    QString storedHand(const QString &hand, const QString &field) const
    {
        return stored(QStringLiteral("PreFlop"), kHandKey, {hand}, field);
    }
    QString storedRow(const QVariantList &keys, const QString &field) const
    {
        return stored(QStringLiteral("FTR"), kTypeKeys, keys, field);
    }

    void startSystem()
    {
        system_ = std::make_unique<TemporarySystem>();
        prompts_ = std::make_unique<ScriptedPrompts>();
    }
    void stopSystem()
    {
        editor_.reset();
        prompts_.reset();
        system_.reset();
    }
};
