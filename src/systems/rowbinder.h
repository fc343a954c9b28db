// SPDX-License-Identifier: GPL-3.0-or-later
// Controls bound to the fields of a table's current row: combo boxes show a text field, line
// edits a whole-number field. Whenever the table comes to stand on another row the controls
// show that row; what the user enters becomes a pending change of the row, which store()
// writes and discard() drops. Several controls may show the same field; a change in one is
// shown by the others. A binder that is not attached to a row shows its controls empty and
// takes no input, so that nothing typed can reach a row the user does not see named.
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <utility>
#include <vector>

class DbTable;
class QComboBox;
class QLineEdit;
class QWidget;

class RowBinder : public QObject
{
    Q_OBJECT

public:
    // The table must outlive the binder. Errors of the table are reported over `owner`.
    RowBinder(DbTable &table, QWidget *owner);

    DbTable &table() const { return m_table; }

    // A combo box shows the field's text; what the user picks or types is stored unchanged.
    void bindCombo(QComboBox *combo, const QString &field);
    // A line edit shows the field as a whole number, empty for an empty field; its owner checks
    // what the user typed and hands it over with writeNumber().
    void bindNumberEdit(QLineEdit *edit, const QString &field);

    // Makes `value` the edit's field in the current row, unless the row already holds it.
    void writeNumber(QLineEdit *edit, std::int64_t value);

    // Whether the controls show the current row (true) or stand empty and closed to input.
    bool isAttached() const { return m_attached; }
    void setAttached(bool attached);
    // A binder of a file that cannot be written shows its row but takes no input.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Shows the current row in every control (or nothing, when detached).
    void load();
    // Writes the changes the user made to the current row. Returns false when that failed
    // (the error has been shown): the changes then stay pending and on view, to be stored
    // again or dropped.
    bool store();
    // Drops the changes of the current row that were not stored and shows it as stored.
    void discard();

    // Whether the table stands on a row that can take changes.
    bool hasRow() const;
    // Whether the user changed something that is not stored yet.
    bool hasChanges() const { return !m_changes.empty(); }

Q_SIGNALS:
    // The controls show another row, or the same row read again.
    void loaded();

private:
    struct Binding
    {
        QWidget *control;
        QString field;
        bool number;
    };

    void show(const Binding &binding);
    QString fieldText(const Binding &binding) const;
    void display(const Binding &binding, const QString &text);
    void updateEnabled();
    void writeText(QComboBox *combo, const QString &text);
    void write(QWidget *from, const QString &field, const QVariant &value);
    void remember(const QString &field, const QVariant &value);
    const Binding *bindingOf(const QWidget *control) const;

    DbTable &m_table;
    QWidget *m_owner;
    std::vector<Binding> m_bindings;
    // What the user wrote since the row was last stored, in the order written.
    std::vector<std::pair<QString, QVariant>> m_changes;
    bool m_loading = false;
    bool m_attached = true;
    bool m_readOnly = false;
};
